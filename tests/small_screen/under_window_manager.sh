#!/usr/bin/env bash
# Runs a program on a private X display of the given size with a real window
# manager (openbox), which frames every window with a title bar, and ends
# both again however the program ends.
#   under_window_manager.sh WIDTHxHEIGHT SCALE PROGRAM [ARGUMENT...]
# SCALE is Qt's scale factor (1 for none).  The program's exit status is the
# script's.
set -euo pipefail

readonly START_TIMEOUT=20   # seconds for Xvfb and openbox to come up
size=$1
scale=$2
shift 2

work=$(mktemp -d)
xvfb_pid=""
openbox_pid=""
stop_all() {
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null && wait "$openbox_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap stop_all EXIT
fail() {
    echo "FAILED: $*" >&2
    sed 's/^/  /' "$work"/*.log >&2 2>/dev/null || true
    exit 1
}

# Xvfb picks a free display and names it.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t "$START_TIMEOUT" number <"$work/display" || fail "Xvfb did not start"
export DISPLAY=":$number"

# openbox with its own empty settings, so that nothing of the machine's
# user changes the frames; it is ready once it names itself on the root
# window.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
openbox_pid=$!
for ((tries = 0; tries < START_TIMEOUT * 10; ++tries)); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 "$openbox_pid" 2>/dev/null || fail "openbox ended"
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || fail "openbox did not start"

export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" LC_ALL=C.UTF-8
status=0
"$@" || status=$?
exit "$status"
