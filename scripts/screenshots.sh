#!/usr/bin/env bash
# Photographs every window of the real program, framed by a window manager
# (openbox), to look at how each fits: on 1024x768, on 1366x768 at a scale
# factor of 1.25, and on 1920x1080.  One design is taken through every screen
# by keyboard, so that the same steps work whatever the windows' sizes and
# places; the help window is opened on the structure entry screen.
#   scripts/screenshots.sh [KORVELLE_BINARY] [OUTPUT_FOLDER]
# Pictures go to OUTPUT_FOLDER/<screen>/NN-<window>.png (default:
# build/default/screenshots).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
binary=${1:-$root/build/default/korvelle}
out=${2:-$root/build/default/screenshots}

session() {
    source "$root/tests/e2e/desktop.sh"
    source "$root/tests/e2e/designer.sh"
    start_program "$binary" "$1"

    through_start_up
    project_information SHOT-1 1234567 ALLENBY "Screenshots of every window" 2000 1,000 2020 1,720 10
    window "Flexible Pavement Design - Design Data" >/dev/null
    enter 100
    keys Return
    enter 4
    enter 1.0
    keys Return Return
    enter 1.0
    shot design-data
    repeat_key Tab 4                            # from CONTINUE past CLEAR FORM, QUIT and BACK to the LDF link
    keys Return
    window "Flexible Pavement Design - Lane Distribution Factor" >/dev/null
    shot ldf-worksheet
    enter 100
    window "Flexible Pavement Design - Design Data" >/dev/null
    keys Tab Return                             # the soil support and regional factor link
    window "Flexible Pavement Design - County Data" >/dev/null
    keys Down
    shot county-worksheet
    keys Tab Tab Tab Return                     # ACCEPT THE ABOVE VALUES
    window "Flexible Pavement Design - Design Data" >/dev/null
    keys Tab Return                             # the ESAL link
    window "Flexible Pavement Design - 18-kip ESAL" >/dev/null
    shot esal-worksheet
    enter 1.0
    window "Flexible Pavement Design - Design Data" >/dev/null
    repeat_key shift+Tab 6                      # back over the links, BACK, QUIT and CLEAR FORM to CONTINUE
    keys Return
    designer_information "A. Designer, P.E." "Screenshots"
    window "Flexible Pavement Design - Main Menu" >/dev/null
    shot main-menu
    keys Return                                 # DESIGN A FULL-DEPTH PAVEMENT, chosen at first

    # A course: the material that many places down its list, and its inches.
    course() { choose "$1"; keys Tab; type_text "$2"; }

    local w
    w=$(window "Flexible Pavement Design - Proposed Pavement Structure")
    course 3 1.50
    keys Tab Tab Tab                            # past the scroll bar and FIT
    course 4 2.00
    keys Tab Tab Tab
    type_text 25
    keys Tab
    type_text 3
    keys Tab Tab Tab
    type_text G
    keys Tab
    type_text 8
    shot full-depth-entry
    keys F1
    window "Korvelle - Designer's guide" >/dev/null
    shot help
    keys Escape
    window "Flexible Pavement Design - Proposed Pavement Structure" >/dev/null
    repeat_key Tab 9                            # past COURSE 5, LEAST COST and CONTINUE to the guidelines
    keys Return
    window "Flexible Pavement Design - SuperPave Mix Guidelines" >/dev/null
    shot guidelines
    window "Flexible Pavement Design - Proposed Pavement Structure" >/dev/null
    keys shift+Tab Return
    w=$(window "Flexible Pavement Design - Proposed Pavement Structure" "$w")
    shot full-depth-result
    keys Return                                 # ACCEPT
    window "Flexible Pavement Design" >/dev/null
    shot full-depth-print
    keys Tab Tab Return                         # past PREVIEW to MAIN MENU
    window "Flexible Pavement Design - Main Menu" >/dev/null
    keys Down Return                            # DESIGN AN ASPHALT OVERLAY

    w=$(window "Flexible Pavement Design - Proposed Overlay")
    course 3 1.50
    keys Tab Tab Tab                            # past the scroll bar and FIT
    course 4 2.00
    repeat_key Tab 7                            # past the bar, FIT and the empty third row
    course 3 4
    keys Tab Tab Tab
    course 5 8.00
    shot overlay-entry
    repeat_key Tab 8
    keys Return
    w=$(window "Flexible Pavement Design - Proposed Overlay" "$w")
    shot overlay-result
    keys Return                                 # ACCEPT
    window "Flexible Pavement Design" >/dev/null
    shot overlay-print
    keys Tab Tab Tab Return                     # past PRINT and PREVIEW to QUIT (MAIN MENU has the focus here)
    answer_quit_question
    program_ends
}

# Each screen in its own shell: the session's exit trap stops its Xvfb and
# window manager.
export WINDOW_MANAGER=openbox
SCREEN_SIZE=1024x768x24 QT_SCALE_FACTOR=1 bash -c "$(declare -f session); root='$root' binary='$binary' session '$out/1024x768'"
SCREEN_SIZE=1366x768x24 QT_SCALE_FACTOR=1.25 \
    bash -c "$(declare -f session); root='$root' binary='$binary' session '$out/1366x768-scale-1.25'"
SCREEN_SIZE=1920x1080x24 QT_SCALE_FACTOR=1 bash -c "$(declare -f session); root='$root' binary='$binary' session '$out/1920x1080'"
echo "screenshots in $out"
