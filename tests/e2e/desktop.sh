# Drives the real program on a private X display as a designer would: keys,
# typing and mouse clicks through xdotool, windows found by their titles.
# Sourced by the session scripts beside it:
#   source desktop.sh; start_program KORVELLE_BINARY OUTPUT_FOLDER [ARGUMENT...]
# Every step fails the session (exit status 1) with a message and a
# screenshot of what the screen showed.

set -euo pipefail

readonly STEP_TIMEOUT=20   # seconds to wait for a window or a file
SCREEN_SIZE=${SCREEN_SIZE:-1280x1024x24}   # Xvfb's screen: width x height x depth
WINDOW_MANAGER=${WINDOW_MANAGER:-}         # "openbox" to frame the windows; none by default
KEY_DELAY=15               # milliseconds between typed keys
OUT=""
SHOT_NUMBER=0
PROGRAM_PID=""
XVFB_PID=""
WM_PID=""

fail() {
    echo "FAILED: $*" >&2
    [ -n "$OUT" ] && [ -n "${DISPLAY:-}" ] && import -window root "$OUT/failure.png" 2>/dev/null || true
    [ -n "$OUT" ] && [ -f "$OUT/program.log" ] && sed 's/^/program: /' "$OUT/program.log" >&2
    exit 1
}

stop_all() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null || true
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# Starts Xvfb on a free display and the program in it, with a fresh home
# folder (so the PDF is offered in its Documents folder and no settings of
# the machine's user are read).  Further arguments go to the program.
start_program() {
    local binary=$1
    OUT=$2
    shift 2
    rm -rf "$OUT"
    mkdir -p "$OUT/home"
    trap stop_all EXIT

    local fifo="$OUT/display"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "$SCREEN_SIZE" -nolisten tcp -noreset 3>"$fifo" >"$OUT/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local number
    read -r -t "$STEP_TIMEOUT" number <"$fifo" || fail "Xvfb did not start"
    rm -f "$fifo"
    export DISPLAY=":$number"

    export HOME="$OUT/home"
    export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
    export XDG_CACHE_HOME="$HOME/.cache" XDG_RUNTIME_DIR="$HOME/.runtime"
    export XDG_DOCUMENTS_DIR="$HOME/Documents"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    if [ "$WINDOW_MANAGER" = openbox ]; then
        openbox --sm-disable >"$OUT/openbox.log" 2>&1 &
        WM_PID=$!
        wait_until wm_running || fail "openbox did not start"
    fi
    export QT_QPA_PLATFORM=xcb
    export LC_ALL=C.UTF-8
    "$binary" "$@" >"$OUT/program.log" 2>&1 &
    PROGRAM_PID=$!
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Starts the program again on the same display and home folder, after it
# has ended, with the arguments given.
restart_program() {
    local binary=$1
    shift
    "$binary" "$@" >>"$OUT/program.log" 2>&1 &
    PROGRAM_PID=$!
}

# Waits until a visible window's title matches the whole of `title` and it
# holds the keyboard focus, as the window manager would give it; prints its id.
# A second argument names a window to pass over: the screen being left, when
# the next one has the same title.
window() {
    local title=$1 other=${2:-} id="" tries
    for ((tries = 0; tries < STEP_TIMEOUT * 10; ++tries)); do
        kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended while waiting for \"$title\""
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | grep -vx -- "${other:-none}" | head -n 1 || true)
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || fail "no window \"$title\""
    local shown
    shown=$(xdotool getwindowname "$id")
    [ "$shown" = "$title" ] || fail "the window's title bar reads \"$shown\", not \"$title\""
    for ((tries = 0; tries < 50; ++tries)); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && { echo "$id"; return; }
        xdotool windowfocus --sync "$id" 2>/dev/null || true
        sleep 0.1
    done
    fail "window \"$title\" never took the focus"
}

# Runs a command every tenth of a second until it succeeds; false after the
# step timeout.
wait_until() {
    local tries
    for ((tries = 0; tries < STEP_TIMEOUT * 10; ++tries)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

no_window() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
# Waits until no visible window has the title.
gone() { wait_until no_window "$1" || fail "window \"$1\" stayed open"; }

keys() { xdotool key --delay "$KEY_DELAY" "$@"; }
type_text() { xdotool type --delay "$KEY_DELAY" -- "$1"; }
# Types into the focused field and presses Enter.
enter() { type_text "$1"; keys Return; }
# Presses a key `count` times.
repeat_key() { local k=$1 n=$2; ((n > 0)) && xdotool key --delay "$KEY_DELAY" --repeat "$n" "$k"; return 0; }

# Clicks at a point of a window, measured from its top-left corner; negative
# coordinates count from its right or bottom edge.  A window takes no mouse
# press for the double-click interval (0.4 s) after it is shown, so the click
# waits that out first.
click_at() {
    local id=$1 x=$2 y=$3 X Y WIDTH HEIGHT WINDOW SCREEN
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$id")"
    ((x < 0)) && x=$((WIDTH + x))
    ((y < 0)) && y=$((HEIGHT + y))
    xdotool mousemove --window "$id" "$x" "$y" click 1
}
# The centre of a window's bottom button row, where a single centred button sits.
click_bottom_centre() {
    local id=$1 X Y WIDTH HEIGHT WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$id")"
    click_at "$id" $((WIDTH / 2)) -24
}

# Saves a screenshot of the whole screen as NN-name.png in the output folder,
# and the place of the window with the keyboard focus as NN-name.window
# (xdotool's X, Y, WIDTH and HEIGHT), so that the picture can be cut to it.
shot() {
    sleep 0.3   # let the window finish painting
    SHOT_NUMBER=$((SHOT_NUMBER + 1))
    local name
    name="$OUT/$(printf '%02d' "$SHOT_NUMBER")-$1"
    import -window root "$name.png"
    xdotool getwindowfocus getwindowgeometry --shell >"$name.window" 2>/dev/null || rm -f "$name.window"
}

# QUIT with changes not saved asks first whether to save them: `discard`
# (alt+d) or `save` (alt+s, then the save dialog's offered file); Cancel is
# the default.
answer_quit_question() {
    window "QUIT" >/dev/null
    shot quit-question
    if [ "${1:-discard}" = save ]; then
        keys alt+s
        window "Save the design" >/dev/null
        shot save-dialog
        keys Return
    else
        keys alt+d
    fi
}

program_gone() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
# Waits for the program to end by itself and checks that it ended cleanly.
program_ends() {
    wait_until program_gone || fail "the program did not end"
    local status=0
    wait "$PROGRAM_PID" || status=$?
    PROGRAM_PID=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# Waits for a file to appear.
file_appears() { wait_until test -s "$1" || fail "no file $1"; }

# The form as text, one printed character per column (12 points = 7.2 per
# character at 72 per inch), the pages one after the other without the form
# feeds between them.
form_text() { pdftotext -fixed 7.2 -layout "$1" - | tr -d '\f'; }

# Checks that the form holds a line equal to `line` once runs of blanks are
# taken as one and the ends trimmed.
form_has() {
    local text=$1 line=$2
    local squeezed
    squeezed=$(printf '%s\n' "$line" | tr -s ' ' | sed 's/^ //; s/ $//')
    printf '%s\n' "$text" | tr -s ' ' | sed 's/^ //; s/ $//' | grep -qxF -- "$squeezed" ||
        fail "the form has no line \"$line\""
}

# Checks that `needle` begins in column `column` of some line of the form,
# counting the columns of the form itself: its "=" rules begin in column 3
# (the text also holds the page's left margin).
form_column() {
    local text=$1 needle=$2 column=$3
    printf '%s\n' "$text" | awk -v n="$needle" -v c="$column" '
        { lines[NR] = $0 }
        margin == "" && /=====/ { margin = index($0, "=") - 3 }
        END {
            for (k = 1; k <= NR; ++k) if (index(lines[k], n) == c + margin) exit 0
            exit 1
        }' || fail "\"$needle\" is not in column $column of the form"
}
