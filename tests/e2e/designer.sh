# The steps of a design, as a designer takes them in the real program.
# Sourced by the session scripts after desktop.sh.

# Start-up and information screens: CONTINUE clicked on the first, pressed
# with Enter on the second. With the argument `picture` the picture of the
# information screen is clicked first and its message box answered.
through_start_up() {
    local w
    w=$(window "Flexible Pavement Design")
    shot start-up
    click_bottom_centre "$w"
    w=$(window "Flexible Pavement Design" "$w")
    shot information
    if [ "${1:-}" = picture ]; then
        click_at "$w" 100 60
        window "QUENBAR TECH" >/dev/null
        shot picture-message
        keys Return
        gone "QUENBAR TECH"
        window "Flexible Pavement Design" >/dev/null
    fi
    keys Return
}

# Project information, typed field by field with Enter:
# number, P.I. number, county, description, initial year and AADT, final
# year and AADT, truck percentage; then CONTINUE.
project_information() {
    window "Flexible Pavement Design - Project Information" >/dev/null
    local value
    for value in "$@"; do enter "$value"; done
    shot project-information
    keys Return
}

# Design data: LDF, soil support, regional factor and ESAL per truck typed;
# the terminal serviceability and axle load factors offered are kept. With a
# fifth argument the LDF is then entered again through its worksheet, opened
# by a click on its link, and CONTINUE is clicked.
design_data() {
    local w
    w=$(window "Flexible Pavement Design - Design Data")
    enter "$1"
    keys Return
    enter "$2"
    enter "$3"
    keys Return Return
    enter "$4"
    shot design-data
    if [ -z "${5:-}" ]; then
        keys Return
        return
    fi
    click_at "$w" 60 100                    # CLICK HERE FOR LDF WORKSHEET, under the first field
    window "Flexible Pavement Design - Lane Distribution Factor" >/dev/null
    type_text "$5"
    shot ldf-worksheet
    keys Return
    window "Flexible Pavement Design - Design Data" >/dev/null
    shot design-data-from-worksheet
    # The link clicked keeps the focus; before it in the Tab chain stand
    # BACK, QUIT, CLEAR FORM and CONTINUE.
    keys shift+Tab shift+Tab shift+Tab shift+Tab Return
}

# Designer information: name and comments typed; with a third argument the
# office option that many places below the first is chosen.
designer_information() {
    window "Flexible Pavement Design - Designer Information" >/dev/null
    enter "$1"
    enter "$2"
    if [ "${3:-0}" -gt 0 ]; then
        keys shift+Tab                      # back from CONTINUE to the offices
        repeat_key Down "$3"
        keys Tab
    fi
    shot designer-information
    keys Return
}

# Main menu: the option that many places below the first is clicked (the
# four options stand 26 pixels apart above the CONTINUE row), then CONTINUE.
# The click falls on the start of the option's caption: an option takes
# clicks only on its circle and caption, and QUIT's is short.
main_menu() {
    local w
    w=$(window "Flexible Pavement Design - Main Menu")
    click_at "$w" 70 $((-62 - 26 * (3 - $1)))
    shot main-menu
    click_bottom_centre "$w"
}

# Chooses the entry of a closed material list that is `1` places down (1
# is the first entry, which Down takes when nothing is chosen).
choose() { repeat_key Down "$1"; }

# Prints from the print screen through the font dialog (the face and size
# offered) and the print dialog (the PDF file offered), and waits for the new
# file. `kind` is full-depth (PRINT has the focus) or overlay (MAIN MENU has
# it, PRINT comes next); `overwrite` answers the question the print dialog
# asks when the file is there from an earlier print.
print_form() {
    local kind=$1 overwrite=${2:-} file="$HOME/Documents/design-form.pdf" w before
    window "Flexible Pavement Design" >/dev/null
    shot print-screen
    before=$(file_identity "$file")
    [ "$kind" = overlay ] && keys Tab
    keys Return                             # PRINT
    window "Font" >/dev/null
    shot font-dialog
    keys Return
    w=$(window "Print the design form")
    shot print-dialog
    keys Return
    if [ "$overwrite" = overwrite ]; then
        window "Print the design form" "$w" >/dev/null   # "... already exists. Do you want to overwrite it?"
        shot overwrite-question
        keys alt+y
    fi
    gone "Print the design form"
    wait_until file_replaced "$file" "$before" || fail "no new file $file"
    window "Flexible Pavement Design" >/dev/null
    shot printed
}

# From PRINT, which has the focus, to PREVIEW; prints from the preview
# without the font dialog, over the form printed before, and comes back to
# the print screen with the focus on PREVIEW.
print_from_preview() {
    local file="$HOME/Documents/design-form.pdf" w before
    before=$(file_identity "$file")
    keys Tab Return                         # PREVIEW
    window "Flexible Pavement Design - Preview of the design form" >/dev/null
    shot preview
    keys Return                             # its PRINT has the focus
    w=$(window "Print the design form")
    shot print-dialog-from-preview
    keys Return
    window "Print the design form" "$w" >/dev/null   # "... already exists. Do you want to overwrite it?"
    keys alt+y
    gone "Print the design form"
    gone "Flexible Pavement Design - Preview of the design form"
    wait_until file_replaced "$file" "$before" || fail "no new file $file"
    window "Flexible Pavement Design" >/dev/null
    shot printed-from-preview
}

# The file's inode, time and size, or "none"; a finished print puts a new
# file in place.
file_identity() { stat -c '%i %y %s' "$1" 2>/dev/null || echo none; }
file_replaced() { [ -s "$1" ] && [ "$(file_identity "$1")" != "$2" ]; }

# KEEP AS ALTERNATIVE, which has the focus on a structure entry screen:
# keeps its courses under the letter offered and `name`, and comes back to
# the screen with the focus on the button.
keep_alternative() {
    local w
    w=$(xdotool getwindowfocus)
    keys Return
    window "ALTERNATIVES" >/dev/null
    shot keep-alternative
    keys End
    enter "$1"
    gone "ALTERNATIVES"
    window "$(xdotool getwindowname "$w")" >/dev/null
}

# The printed form as text, kept as `name`.txt in the output folder; the
# form must be one page, or `pages` (with the comparison of alternatives).
printed_form() {
    local file="$HOME/Documents/design-form.pdf" pages=${2:-1}
    [ "$(pdfinfo "$file" | awk '/^Pages:/ { print $2 }')" = "$pages" ] || fail "the form is not $pages page(s)"
    form_text "$file" | tee "$OUT/$1.txt"
}
