#!/usr/bin/env bash
# A design typed and never saved survives a crash: the program is killed
# (SIGKILL, no chance to save anything) a few seconds after the last key,
# started again, and offers the design; recovered, it stands on the screen
# it was left on with every entry, and the next start offers nothing more.
#   recovery_session.sh KORVELLE_BINARY OUTPUT_FOLDER
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/designer.sh"
start_program "$1" "$2"
copies="$XDG_DATA_HOME/Korvelle/recovery"

# Every entry typed, found in a recovery copy.
holds_every_entry() {
    local copy=$1 entry
    for entry in '"projectNumber": "E2E-106"' '"piNumber": "7654323"' '"county": "CARVER"' \
                 '"description": "Recovered after a crash"' '"initialYear": "2000"' '"initialTraffic": "1000"' \
                 '"finalYear": "2020"' '"finalTraffic": "1720"' '"truckPercent": "10"' '"ldf": "100"' \
                 '"soilSupport": "4"' '"stage": "design-data"'; do
        grep -qF -- "$entry" "$copy" || return 1
    done
}
one_copy_with_every_entry() {
    local found=("$copies"/*.korvelle)
    [ "${#found[@]}" -eq 1 ] && [ -f "${found[0]}" ] && holds_every_entry "${found[0]}"
}

through_start_up
project_information E2E-106 7654323 CARVER "Recovered after a crash" 2000 1,000 2020 1,720 10
window "Flexible Pavement Design - Design Data" >/dev/null
enter 100                                       # LANE DISTRIBUTION FACTOR
keys Return                                     # past the terminal serviceability offered
type_text 4                                     # SOIL SUPPORT, not even confirmed with Enter
shot typed
wait_until one_copy_with_every_entry || fail "no recovery copy holds every entry"
crashed=$(ls "$copies"/*.korvelle)

kill -KILL "$PROGRAM_PID"
wait "$PROGRAM_PID" 2>/dev/null || true
restart_program "$1"
window "RECOVER DESIGN" >/dev/null
shot recover-question
keys alt+r
window "Flexible Pavement Design - Design Data" >/dev/null
shot recovered
[ -e "$crashed" ] && fail "the crashed run's copy was kept after recovering it"
# The recovered design has unsaved changes: ended by a signal, this run
# keeps them in a copy of its own, with every entry the screens now hold.
kill -TERM "$PROGRAM_PID"
program_ends
one_copy_with_every_entry || fail "the recovered design lost an entry"

# Offered again at the next start; discarded, nothing is left.
restart_program "$1"
window "RECOVER DESIGN" >/dev/null
keys alt+d
gone "RECOVER DESIGN"
window "Flexible Pavement Design" >/dev/null   # the start-up screen
kill -TERM "$PROGRAM_PID"
program_ends
[ -z "$(ls -A "$copies" 2>/dev/null | grep -v '\.lock$' || true)" ] || fail "copies left: $(ls -A "$copies")"
echo "recovery session: every entry recovered after SIGKILL, the copy gone once discarded"
