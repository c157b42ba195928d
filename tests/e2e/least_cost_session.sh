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
repeat_key Tab 21                               # past the five course rows and LEAST COST to KEEP AS ALTERNATIVE
keep_alternative "as designed"                  # A: the example's courses
keys shift+Tab Return                           # LEAST COST
window "Flexible Pavement Design - Least Cost" >/dev/null
shot least-cost
keys Return                                     # FIND has the focus
sleep 0.5
shot least-cost-found
keys Escape                                     # CLOSE
gone "Flexible Pavement Design - Least Cost"
window "Flexible Pavement Design - Proposed Pavement Structure" >/dev/null
shot least-cost-entry
keys Tab                                        # KEEP AS ALTERNATIVE
keep_alternative "least cost"                   # B: the courses found
keys Tab Return                                 # CONTINUE
w=$(window "Flexible Pavement Design - Proposed Pavement Structure" "$w")
shot least-cost-result
keys Return                                     # ACCEPT
print_form full-depth
text=$(printed_form form 2)
printf '%s\n' "$text" | grep -q 'Graded Aggregate Base.* 9\.25 ' || fail "COURSE 4 is not 9.25 in. on the form"
printf '%s\n' "$text" | grep -q 'Proposed SN = 3\.46' || fail "the form does not propose SN 3.46"
form_has "$text" ">>> Proposed pavement is 0.6% Overdesign <<<"
# The second page compares the two: A as in the example (SN 3.86 is 12.2%
# over 3.44, at $47.80 with the example prices), B as found.
form_has "$text" "COMPARISON OF ALTERNATIVE STRUCTURES"
form_has "$text" "A: as designed (full-depth)"
form_has "$text" "1.50 SP12.5 / 2.00 SP19 / 3.00 SP25 / 8.00 GAB"
form_has "$text" "Total 14.50 in.   Proposed SN 3.86   12.2% Overdesign"
form_has "$text" 'Cost $47.80 per sq. yd.'
form_has "$text" "B: least cost (full-depth)"
form_has "$text" "1.00 SP12.5 / 1.50 SP19 / 2.00 SP25 / 9.25 GAB"
form_has "$text" "Total 13.75 in.   Proposed SN 3.46   0.6% Overdesign"
form_has "$text" 'Cost $38.30 per sq. yd.'
keys Tab Tab Return                             # from PRINT past PREVIEW to MAIN MENU
window "Flexible Pavement Design - Main Menu" >/dev/null
keys ctrl+l                                     # ALTERNATIVES...
window "Flexible Pavement Design - Alternatives" >/dev/null
shot alternatives
keys Escape                                     # CLOSE
gone "Flexible Pavement Design - Alternatives"
main_menu 3                                     # QUIT
answer_quit_question discard
program_ends
echo "least-cost session: sized, kept, accepted and printed at SN 3.46 with its comparison"
