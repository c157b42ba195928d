#!/usr/bin/env bash
# A design whose traffic is revised after it has been printed: a single
# 6-inch course of 12.5 mm SMA is evaluated and printed for 1,000 to 1,720
# vpd, then the designer goes back through EDIT DESIGN/DESIGNER DATA, raises
# the traffic to 10,000 to 17,380 vpd, evaluates the same structure again
# and prints over the first form.
#   edit_traffic_session.sh KORVELLE_BINARY OUTPUT_FOLDER
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/designer.sh"
start_program "$1" "$2"

through_start_up
project_information E2E-103 7654321 BRANTLEY "Resurfacing study" 2000 1,000 2020 1,720 10
design_data 100 4 1.0 1.0
designer_information "B. Engineer, P.E." "Traffic revised"
main_menu 0                                     # DESIGN A FULL-DEPTH PAVEMENT

w=$(window "Flexible Pavement Design - Proposed Pavement Structure")
choose 5                                        # COURSE 1: 12.5 mm SMA
keys Tab
type_text 6
shot full-depth-entry
repeat_key Tab 21                               # past the bar, FIT, four empty rows, LEAST COST and KEEP to CONTINUE
keys Return
w=$(window "Flexible Pavement Design - Proposed Pavement Structure" "$w")
shot first-result
keys Return                                     # ACCEPT
print_form full-depth
first=$(printed_form first-form)
# 1,000,100 loads need SN 3.44 (the search ends on 3.4391, 0.33 ln W =
# 4.5592 less 112 steps); the course is split at 4.5 inches into
# 4.50 x 0.44 = 1.98 and 1.50 x 0.30 = 0.45, 2.43 in all, which is
# (3.4391 - 2.43) / 3.4391 = 29.3 % short.
form_has "$first" "Total predicted design period loading = 137 * 20 * 365 = 1,000,100"
form_has "$first" "12.5 mm SMA 4.50 (114) 0.44 1.98"
form_has "$first" "1.50 (38) 0.30 0.45"
form_has "$first" "Required SN = 3.44 Proposed SN = 2.43"
form_has "$first" ">>> Proposed pavement is 29.3% Underdesign <<<"

keys Tab Tab Return                             # from PRINT past PREVIEW to MAIN MENU
main_menu 2                                     # EDIT DESIGN/DESIGNER DATA
w=$(window "Flexible Pavement Design - Project Information")
shot project-kept
keys shift+Tab shift+Tab shift+Tab shift+Tab    # back from CONTINUE to the initial AADT
keys ctrl+a
enter 10,000
keys Return                                     # final year kept
keys ctrl+a
enter 17,380
keys Return                                     # truck percentage kept
shot project-revised
keys Return                                     # CONTINUE
window "Flexible Pavement Design - Design Data" >/dev/null
shot design-data-kept
keys Return                                     # CONTINUE: the required SN again
window "Flexible Pavement Design - Designer Information" >/dev/null
keys Return                                     # CONTINUE
main_menu 0
w=$(window "Flexible Pavement Design - Proposed Pavement Structure")
shot structure-kept
keys Return                                     # CONTINUE, the structure as it was
w=$(window "Flexible Pavement Design - Proposed Pavement Structure" "$w")
shot second-result
keys Return                                     # ACCEPT
print_form full-depth overwrite
keys Tab Tab Tab Return                         # from PRINT past PREVIEW and MAIN MENU to QUIT
answer_quit_question
program_ends

second=$(printed_form form)
# Mean AADT (10,000 + 17,380) / 2 = 13,690; 13,690 x 0.100 + 1 = 1,370 loads a
# day; x 20 x 365 = 10,001,000, which needs SN 4.92 (4.9190, 0.33 ln W =
# 5.3190 less 40 steps): 2.43 is 50.6 % short.
form_has "$second" "AADT initial year of design period: 10,000 vpd (2000)"
form_has "$second" "AADT final year of design period: 17,380 vpd (2020)"
form_has "$second" "Mean AADT (one-way): 13,690 vpd"
form_has "$second" "13,690 * 1.00 * 0.100 * 1.00 = 1,370"
form_has "$second" "Total predicted design period loading = 1370 * 20 * 365 = 10,001,000"
form_has "$second" "12.5 mm SMA 4.50 (114) 0.44 1.98"
form_has "$second" "Required SN = 4.92 Proposed SN = 2.43"
form_has "$second" ">>> Proposed pavement is 50.6% Underdesign <<<"
form_has "$second" "Remarks: Traffic revised"
echo "edit-traffic session passed"
