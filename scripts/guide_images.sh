#!/usr/bin/env bash
# Refreshes the designer's guide's pictures (docs/images) from the
# screenshots the end-to-end sessions leave in build/<preset>/e2e/<session>:
# each is cut to the window that had the focus, stripped and reduced to a
# small palette.  Run the sessions first:
#   ctest --preset default -L end-to-end && bash scripts/guide_images.sh [E2E_FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
e2e=${1:-$root/build/default/e2e}
out=$root/docs/images

# picture in docs/images | session | the session's screenshot (NN-name.png)
pictures=(
    "start-up.png full_depth start-up"
    "project-information.png full_depth project-information"
    "design-data.png full_depth design-data"
    "designer-information.png full_depth designer-information"
    "main-menu.png full_depth main-menu"
    "full-depth-entry.png full_depth full-depth-entry"
    "guidelines.png full_depth guidelines"
    "full-depth-result.png full_depth full-depth-result"
    "sensitivity.png full_depth sensitivity"
    "print-screen.png overlay print-screen"
    "font-dialog.png overlay font-dialog"
    "print-dialog.png overlay print-dialog"
    "ldf-worksheet.png overlay ldf-worksheet"
    "overlay-entry.png overlay overlay-entry"
    "overlay-result.png overlay overlay-result"
    "quit-question.png overlay quit-question"
    "least-cost.png least_cost least-cost-found"
    "alternatives.png least_cost alternatives"
)

mkdir -p "$out"
for entry in "${pictures[@]}"; do
    read -r picture session shot <<<"$entry"
    # The first screenshot of that name: the numbers change as sessions grow.
    source=$(find "$e2e/$session" -maxdepth 1 -name "[0-9][0-9]-$shot.png" | sort | head -n 1)
    [ -n "$source" ] || { echo "no screenshot $shot in $e2e/$session: run the end-to-end sessions" >&2; exit 1; }
    # Cut to the window that had the focus, when the session noted where it
    # was; else to everything that is not the black screen.
    cut=(-trim)
    if [ -s "${source%.png}.window" ]; then
        eval "$(grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9]+$' "${source%.png}.window")"
        cut=(-crop "${WIDTH}x${HEIGHT}+${X}+${Y}")
    fi
    convert "$source" "${cut[@]}" +repage -strip -colors 64 "PNG8:$out/$picture"
done
du -ch "$out"/*.png | tail -n 1
