#!/usr/bin/env bash
# Copies the screenshots that the AppStream metainfo shows from the end-to-end
# sessions' pictures into docs/images/, each cut to its window (the sessions
# photograph the whole black screen of Xvfb).  Run it after the end-to-end
# sessions (ctest --preset default -L end-to-end) when a screen has changed,
# look at the pictures, and commit them.
#   scripts/metainfo_screenshots.sh [E2E_FOLDER]     (default build/default/e2e)
# The metainfo (data/desktop/org.korvelle.Korvelle.metainfo.xml) names these
# files; the package installs them in /usr/share/doc/korvelle/images/.
set -euo pipefail
cd "$(dirname "$0")/.."
e2e=${1:-build/default/e2e}

# picture in docs/images   session    the session's shot
chosen=(
    "full-depth-result       full_depth full-depth-result"
    "overlay-result          overlay    overlay-result"
    "design-data             full_depth design-data"
    "main-menu               full_depth main-menu"
)

# The position, along a one-pixel row or column of a picture, of its first
# black pixel (or its length): first_black PICTURE GEOMETRY FIELD.
first_black() {
    convert "$1" -crop "$2" +repage txt:- | awk -F'[,:]' -v f="$3" '
        NR > 1 && !found { n = $f + 1; if ($0 ~ /#000000/) { n = $f; found = 1 } }
        END { print n }'
}

mkdir -p docs/images
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for line in "${chosen[@]}"; do
    read -r picture session shot <<<"$line"
    source=$(compgen -G "$e2e/$session/[0-9][0-9]-$shot.png" | sed -n 1p || true)
    [ -n "$source" ] || { echo "no picture $e2e/$session/NN-$shot.png: run the end-to-end sessions first" >&2; exit 1; }
    # The windows stand on Xvfb's black root window, the one photographed
    # highest and leftmost: cut away the black, then keep from that corner to
    # the first black pixel of the top row and of the left column, leaving
    # out a window further back.  -strip: no time stamps in the file, so an
    # unchanged screen copies to the same bytes.
    convert "$source" -trim +repage "$work/trimmed.png"
    width=$(first_black "$work/trimmed.png" "x1+0+0" 1)
    height=$(first_black "$work/trimmed.png" "1x+0+0" 2)
    convert "$work/trimmed.png" -crop "${width}x$height+0+0" +repage -strip "docs/images/$picture.png"
    echo "docs/images/$picture.png  ($(identify -format '%wx%h' "docs/images/$picture.png"), from $source)"
done
