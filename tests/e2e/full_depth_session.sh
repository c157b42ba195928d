#!/usr/bin/env bash
# A full-depth design from start-up to the printed form, by keyboard and
# mouse: 1,000 vpd growing to 1,720 vpd over 2000 to 2020 at 10 % trucks
# and 1.0 ESAL per truck, on four courses with the third one split at the
# bottom of the 4.5-inch top zone; the mix guidelines are opened beside the
# entry screen, and the sensitivity chart from the main menu once the
# structure is accepted.
#   full_depth_session.sh KORVELLE_BINARY OUTPUT_FOLDER
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/designer.sh"
start_program "$1" "$2"

through_start_up picture
project_information E2E-101 1234567 ALLENBY "Full-depth widening, end-to-end check" 2000 1,000 2020 1,720 10
design_data 100 4 1.0 1.0
designer_information "A. Designer, P.E." "Checked end to end"
main_menu 0                                     # DESIGN A FULL-DEPTH PAVEMENT

w=$(window "Flexible Pavement Design - Proposed Pavement Structure")
choose 3                                        # COURSE 1: 12.5 mm Superpave
keys Tab Tab                                    # past the thickness to the scroll bar
repeat_key Right 6                              # six quarter inches: 1.50
keys Tab Tab                                    # past FIT
choose 4                                        # COURSE 2: 19 mm Superpave
keys Tab
type_text 2.00
keys Tab Tab Tab                                # past the scroll bar and FIT
type_text 25                                    # COURSE 3 by its first letters: 25 mm Superpave
keys Tab
type_text 3.00
keys Tab Tab Tab
type_text G                                     # COURSE 4: Graded Aggregate Base
keys Tab
type_text 8.00
keys Tab                                        # on to its scroll bar: no text cursor in the picture
shot full-depth-entry
repeat_key Tab 9                                # past FIT, COURSE 5, LEAST COST, KEEP and CONTINUE to the guidelines
keys Return
window "Flexible Pavement Design - SuperPave Mix Guidelines" >/dev/null
shot guidelines
window "Flexible Pavement Design - Proposed Pavement Structure" >/dev/null
keys shift+Tab Return                           # CONTINUE; the guidelines stay beside it

w=$(window "Flexible Pavement Design - Proposed Pavement Structure" "$w")
shot full-depth-result
keys Return                                     # ACCEPT has the focus
print_form full-depth
print_from_preview
keys Tab Return                                 # from PREVIEW to MAIN MENU
window "Flexible Pavement Design - Main Menu" >/dev/null
keys ctrl+g                                     # SENSITIVITY...
window "Flexible Pavement Design - Sensitivity" >/dev/null
shot sensitivity
keys Right                                      # the tab bar has the keyboard: DESIGN LOADING
shot sensitivity-loading
keys Right                                      # TABLE
shot sensitivity-table
keys Escape
gone "Flexible Pavement Design - Sensitivity"
main_menu 3                                     # QUIT
answer_quit_question
program_ends
text=$(printed_form form)
# Traffic: mean AADT (1,000 + 1,720) / 2 = 1,360; 1,360 x 1.00 x 0.100 x
# 1.00 + 1 = 137 loads a day; 137 x 20 years x 365 = 1,000,100.
form_has "$text" "Project: E2E-101 County: ALLENBY"
form_has "$text" "24-hour Truck Percentage: 10.00%"
form_has "$text" "AADT initial year of design period: 1,000 vpd (2000)"
form_has "$text" "AADT final year of design period: 1,720 vpd (2020)"
form_has "$text" "Mean AADT (one-way): 1,360 vpd"
form_has "$text" "1,360 * 1.00 * 0.100 * 1.00 = 137"
form_has "$text" "Total predicted design period loading = 137 * 20 * 365 = 1,000,100"
form_has "$text" "Terminal Serviceability Index: 2.50"
form_has "$text" "Soil Support: 4.00"
form_has "$text" "Regional Factor: 1.00"
# Structure: S(2) = 3.50 and S(3) = 6.50 inches, so the 4.5-inch zone ends
# 1.00 inch into course 3, which is split; 0.66 + 0.88 + 0.44 + 0.60 + 1.28.
form_has "$text" "12.5 mm Superpave 1.50 (38) 0.44 0.66"
form_has "$text" "19 mm Superpave 2.00 (51) 0.44 0.88"
form_has "$text" "25 mm Superpave 1.00 (25) 0.44 0.44"
form_has "$text" "2.00 (51) 0.30 0.60"
form_has "$text" "Graded Aggregate Base 8.00 (203) 0.16 1.28"
# SN 3.44 needed for 1,000,100 loads (S = 4, R = 1.0, pt = 2.5; the search
# ends on 3.4391); 3.86 is (3.86 - 3.4391) / 3.4391 = 12.2 % more.
form_has "$text" "Required SN = 3.44 Proposed SN = 3.86"
form_has "$text" ">>> Proposed pavement is 12.2% Overdesign <<<"
form_has "$text" "Remarks: Checked end to end"
form_has "$text" "State Urban Design Engineer Date"
# The columns of a course row: material in 3, inches ending in 33, the mm in
# brackets ending in 46, coefficient in 53, value in 68.
form_column "$text" "Graded Aggregate Base" 3
form_column "$text" "8.00 " 30
form_column "$text" "(203)" 42
form_column "$text" "0.16" 53
form_column "$text" "1.28" 68
echo "full-depth session passed"
