#!/usr/bin/env bash
# A form printed over an earlier one on a full disk, then the program ended
# by SIGTERM while the print dialog is open: the earlier form stays byte for
# byte, no temporary file is left, and the program ends cleanly (status 0).
# The disk is "full" through a file size limit on the running program,
# smaller than the form.
#   full_disk_session.sh KORVELLE_BINARY OUTPUT_FOLDER
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/designer.sh"
start_program "$1" "$2"

through_start_up
project_information E2E-104 7654321 BRANTLEY "Full disk" 2000 1,000 2020 1,720 10
design_data 100 4 1.0 1.0
designer_information "B. Engineer, P.E." "Printed on a full disk"
main_menu 0                                     # DESIGN A FULL-DEPTH PAVEMENT

window "Flexible Pavement Design - Proposed Pavement Structure" >/dev/null
choose 5                                        # COURSE 1: 12.5 mm SMA
keys Tab
type_text 6
repeat_key Tab 21                               # past the bar, FIT, four empty rows, LEAST COST and KEEP to CONTINUE
keys Return
w=$(window "Flexible Pavement Design - Proposed Pavement Structure")
keys Return                                     # ACCEPT
print_form full-depth
file="$HOME/Documents/design-form.pdf"
cp "$file" "$OUT/first-form.pdf"

# The disk fills: no file may grow past 8 KiB.
prlimit --pid "$PROGRAM_PID" --fsize=8192
window "Flexible Pavement Design" >/dev/null
keys Return                                     # PRINT
window "Font" >/dev/null
keys Return
window "Print the design form" >/dev/null
keys Return
window "Print the design form" >/dev/null       # "... already exists. Do you want to overwrite it?"
keys alt+y
gone "Print the design form"
window "Flexible Pavement Design" >/dev/null
shot not-saved                                  # the status line says "Not saved: ..."
cmp -s "$file" "$OUT/first-form.pdf" || fail "the earlier form was changed"
[ "$(ls -A "$HOME/Documents")" = design-form.pdf ] || fail "files left over: $(ls -A "$HOME/Documents")"

# Ended from outside while a dialog is open.
keys Return                                     # PRINT
window "Font" >/dev/null
keys Return
window "Print the design form" >/dev/null
shot print-dialog
kill -TERM "$PROGRAM_PID"
program_ends
cmp -s "$file" "$OUT/first-form.pdf" || fail "the earlier form was changed"
[ "$(ls -A "$HOME/Documents")" = design-form.pdf ] || fail "files left over: $(ls -A "$HOME/Documents")"
echo "full disk session: the earlier form kept, the program ended cleanly"
