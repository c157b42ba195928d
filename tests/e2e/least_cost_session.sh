#!/usr/bin/env bash
# The full-depth example opened at start-up, its courses sized by LEAST COST
# with the shipped example prices, evaluated, accepted and printed as any
# other design: 1.00, 1.50, 2.00 and 9.25 in. for SN 3.46 against 3.44, at
# $38.30 per sq. yd. (worked by hand in the guide's "Least cost").
#   least_cost_session.sh KORVELLE_BINARY OUTPUT_FOLDER
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/designer.sh"
example="$(dirname "$0")/../../data/examples/full-depth.korvelle"
start_program "$1" "$2" "$example"

w=$(window "Flexible Pavement Design")
click_bottom_centre "$w"                        # CONTINUE opens the design on its main menu
main_menu 0                                     # DESIGN A FULL-DEPTH PAVEMENT
w=$(window "Flexible Pavement Design - Proposed Pavement Structure")
repeat_key Tab 20                               # past the five course rows to LEAST COST
keys Return
window "Flexible Pavement Design - Least Cost" >/dev/null
shot least-cost
keys Return                                     # FIND has the focus
sleep 0.5
shot least-cost-found
keys Escape                                     # CLOSE
gone "Flexible Pavement Design - Least Cost"
window "Flexible Pavement Design - Proposed Pavement Structure" >/dev/null
shot least-cost-entry
keys Tab Return                                 # from LEAST COST to CONTINUE
w=$(window "Flexible Pavement Design - Proposed Pavement Structure" "$w")
shot least-cost-result
keys Return                                     # ACCEPT
print_form full-depth
text=$(printed_form form)
printf '%s\n' "$text" | grep -q 'Graded Aggregate Base.* 9\.25 ' || fail "COURSE 4 is not 9.25 in. on the form"
printf '%s\n' "$text" | grep -q 'Proposed SN = 3\.46' || fail "the form does not propose SN 3.46"
form_has "$text" ">>> Proposed pavement is 0.6% Overdesign <<<"
keys Tab Tab Tab Return                         # from PRINT past PREVIEW and MAIN MENU to QUIT
answer_quit_question discard
program_ends
echo "least-cost session: sized, accepted and printed at SN 3.46"
