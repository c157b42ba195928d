#!/usr/bin/env bash
# A county table that cannot be read stops the program before its first
# screen: the message box names the line and why, the same goes to standard
# error, and the program ends with status 1 once the box is dismissed.  The
# table is given through KORVELLE_COUNTY_TABLE, as tests do.
#   broken_county_table_session.sh KORVELLE_BINARY OUTPUT_FOLDER
source "$(dirname "$0")/desktop.sh"
table="$(mktemp)"
trap 'rm -f "$table"; stop_all' EXIT
printf '# a county with no regional factor\nALDER,4.0,1.6\nBIRCH,3.0\n' >"$table"
export KORVELLE_COUNTY_TABLE="$table"
start_program "$1" "$2"
trap 'rm -f "$table"; stop_all' EXIT

reason="$table: line 3: 3 fields expected (name, soil support, regional factor), found 2"
window "ERROR" >/dev/null
shot county-table-message
wait_until grep -qxF "korvelle: county table: $reason" "$OUT/program.log" ||
    fail "standard error does not give the reason"
no_window "Flexible Pavement Design" || fail "the start-up screen was shown"
keys Return
wait_until program_gone || fail "the program did not end"
status=0
wait "$PROGRAM_PID" || status=$?
PROGRAM_PID=""
[ "$status" -eq 1 ] || fail "the program ended with status $status, not 1"
echo "broken county table session: the message named the line, the program ended with status 1"
