#!/usr/bin/env bash
# An asphalt overlay from start-up to the printed form: 10,000 vpd growing
# to 17,380 vpd over 2000 to 2020 at 10 % trucks and 1.0 ESAL per truck;
# 1.50 in. of 12.5 mm Superpave and 2.00 in. of 19 mm Superpave over 4.00 in.
# of existing asphaltic concrete on 8.00 in. of graded aggregate base, for
# a district office; the lane distribution factor is given again through its
# worksheet.
#   overlay_session.sh KORVELLE_BINARY OUTPUT_FOLDER
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/designer.sh"
start_program "$1" "$2"

through_start_up
project_information E2E-102 2345678 CORWIN "Overlay of the northbound lanes" 2000 10,000 2020 17,380 10
design_data 90 4 1.0 1.0 100                   # the LDF of 100 % through its worksheet
designer_information "C. Designer, P.E." "Overlay checked end to end" 2   # DISTRICT
main_menu 1                                     # DESIGN AN ASPHALT OVERLAY

w=$(window "Flexible Pavement Design - Proposed Overlay")
choose 3                                        # OVERLAY COURSE 1: 12.5 mm Superpave
keys Tab
type_text 1.50
keys Tab Tab Tab                                # past the scroll bar and FIT
choose 4                                        # OVERLAY COURSE 2: 19 mm Superpave
keys Tab
type_text 2.00
repeat_key Tab 7                                # past the bar, FIT and the empty third row
choose 3                                        # EXISTING COURSE 1: Asphaltic Concrete
keys Tab
type_text 4
keys Tab Tab Tab
choose 5                                        # EXISTING COURSE 2: Graded Aggregate Base
keys Tab
type_text 8.00
shot overlay-entry
repeat_key Tab 9                                # past the empty third row, LEAST COST and KEEP to CONTINUE
keys Return

w=$(window "Flexible Pavement Design - Proposed Overlay" "$w")
shot overlay-result
keys Return                                     # ACCEPT
print_form overlay
keys Tab Tab Return                             # from PRINT past PREVIEW to QUIT (this screen puts MAIN MENU first)
answer_quit_question save                       # as Documents/E2E-102.korvelle, the name offered
program_ends
text=$(printed_form form)
design="$HOME/Documents/E2E-102.korvelle"
file_appears "$design"
grep -q '"format": "korvelle-design"' "$design" || fail "$design is not a design file"

# The saved design opened at start-up stands on the main menu; printed again
# without typing anything, it gives the same form.
restart_program "$1" "$design"
w=$(window "Flexible Pavement Design")
click_bottom_centre "$w"                        # CONTINUE
w=$(window "Flexible Pavement Design - Main Menu")
shot reopened-main-menu
main_menu 1                                     # DESIGN AN ASPHALT OVERLAY, as saved
w=$(window "Flexible Pavement Design - Proposed Overlay")
shot reopened-overlay-entry
keys shift+Tab shift+Tab shift+Tab Return       # back from the first list past QUIT and the guidelines to CONTINUE
window "Flexible Pavement Design - Proposed Overlay" "$w" >/dev/null
keys Return                                     # ACCEPT
print_form overlay overwrite
keys Tab Tab Return                             # QUIT: nothing changed since the design was opened
program_ends
[ "$(printed_form reopened-form)" = "$text" ] || fail "the reopened design printed another form"

# Mean AADT (10,000 + 17,380) / 2 = 13,690; 13,690 x 0.100 + 1 = 1,370
# loads a day; x 20 x 365 = 10,001,000.
form_has "$text" "Project: E2E-102 County: CORWIN"
form_has "$text" "Mean AADT (one-way): 13,690 vpd"
form_has "$text" "13,690 * 1.00 * 0.100 * 1.00 = 1,370"
form_has "$text" "Total predicted design period loading = 1370 * 20 * 365 = 10,001,000"
# The overlay is 3.50 in., so the 4.5-inch zone ends 1.00 in. into the
# existing asphaltic concrete, which is split: 0.66 + 0.88 + 0.44 + 0.90 +
# 1.28 = 4.16 against the 4.92 that 10,001,000 loads need (the search ends
# on 4.9190): (4.9190 - 4.16) / 4.9190 = 15.4 % short.
form_has "$text" "*** OVERLAY ***"
form_has "$text" "12.5 mm Superpave 1.50 (38) 0.44 0.66"
form_has "$text" "19 mm Superpave 2.00 (51) 0.44 0.88"
form_has "$text" "*** EXISTING PAVEMENT ***"
form_has "$text" "Asphaltic Concrete 1.00 (25) 0.44 0.44"
form_has "$text" "3.00 (76) 0.30 0.90"
form_has "$text" "Graded Aggregate Base 8.00 (203) 0.16 1.28"
form_has "$text" "Required SN = 4.92 Proposed SN = 4.16"
form_has "$text" ">>> Proposed pavement is 15.4% Underdesign <<<"
form_has "$text" "State Tarnholt Engineer Date"
form_has "$text" "District Engineer Date"
# The overlay form's columns: inches ending in 37, the mm in brackets ending
# in 50, coefficient in 57, value in 71, the proposed SN in 57.
form_column "$text" "Graded Aggregate Base" 3
form_column "$text" "8.00 " 34
form_column "$text" "(203)" 46
form_column "$text" "0.16" 57
form_column "$text" "1.28" 71
form_column "$text" "Proposed SN = 4.16" 57
echo "overlay session passed"
