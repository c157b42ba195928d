#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh), checks it with lintian,
# installs it with apt-get and tests the installed program as the desktop and
# a designer meet it, then purges it again, also when a step failed, and
# checks that nothing of it is left.  Pictures and logs go to
# build/package/test.  Needs root or sudo; refuses to run while korvelle is
# installed, so as not to take away a package somebody installed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/package/test
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q)

installed() { dpkg-query -W -f='${Status}' korvelle 2>/dev/null | grep -q 'install ok installed'; }
fail() { echo "FAILED: $*" >&2; exit 1; }
step() { echo "-- $*"; }

if installed; then
    fail "korvelle is installed already; remove it first (apt-get remove korvelle)"
fi

deb=$(bash scripts/package.sh)
version=$(dpkg-deb --field "$deb" Version)
rm -rf "$out"
mkdir -p "$out"
step "built $deb ($(du -k "$deb" | cut -f1) kB)"

step "lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$out/lintian.txt"

# The package's files, from the package itself: whatever happens from here
# on, the package goes again, and with it every one of them.
files=()
while IFS= read -r file; do
    [[ "$file" == */ ]] || files+=("${file#.}")
done < <(dpkg-deb --fsys-tarfile "$deb" | tar -t)
purge() {
    local status=$?
    set +e
    if dpkg-query -W korvelle >/dev/null 2>&1; then
        "${apt[@]}" purge korvelle >"$out/purge.log" 2>&1
    fi
    local left=()
    for file in "${files[@]}"; do
        [ -f "$file" ] || [ -L "$file" ] && left+=("$file")
    done
    # Purged: dpkg has forgotten the package, or knows it only as not installed.
    local state
    state=$(dpkg-query -W -f='${db:Status-Abbrev}' korvelle 2>/dev/null)
    if [ -n "$state" ] && [ "${state:1:1}" != n ]; then
        echo "FAILED: dpkg still has korvelle as \"$state\"" >&2
        status=1
    fi
    if [ "${#left[@]}" -gt 0 ]; then
        echo "FAILED: left behind after the purge: ${left[*]}" >&2
        status=1
    fi
    [ -e /usr/share/mime/application/x-korvelle-design.xml ] &&
        { echo "FAILED: the MIME database still knows application/x-korvelle-design" >&2; status=1; }
    if [ "$status" -eq 0 ]; then
        echo "-- purged: nothing of korvelle is left (packaging stage: $SECONDS s)"
    else
        echo "-- packaging test FAILED (after $SECONDS s)" >&2
    fi
    exit "$status"
}
trap purge EXIT

step "apt-get install $deb"
"${apt[@]}" install --no-install-recommends "$root/$deb" >"$out/install.log" 2>&1 ||
    { cat "$out/install.log" >&2; fail "apt-get could not install the package"; }
installed || fail "korvelle is not installed after apt-get install"
mapfile -t listed < <(dpkg -L korvelle)
printf '%s\n' "${listed[@]}" >"$out/files.txt"
for file in "${files[@]}"; do
    printf '%s\n' "${listed[@]}" | grep -qxF "$file" || fail "dpkg -L korvelle does not list $file of the package"
done

step "dpkg -L korvelle: ${#files[@]} files"
app=org.korvelle.Korvelle
expected=(
    /usr/bin/korvelle
    /usr/share/applications/$app.desktop
    /usr/share/metainfo/$app.metainfo.xml
    /usr/share/mime/packages/korvelle.xml
    /usr/share/icons/hicolor/scalable/apps/$app.svg
    /usr/share/man/man1/korvelle.1.gz
    /usr/share/doc/korvelle/README.md
    /usr/share/doc/korvelle/copyright
    /usr/share/doc/korvelle/changelog.gz
    /usr/share/doc/korvelle/design-file.md
    /usr/share/doc/korvelle/design-file.schema.json
    /usr/share/doc/korvelle/examples/full-depth.korvelle
    /usr/share/doc/korvelle/examples/overlay.korvelle
)
# The program's icon and its design files' icon, each drawn and rendered.
icon_sizes=(16 22 24 32 48 64 128 256)
mime_icon=application-x-korvelle-design
icon_pngs=()
expected+=("/usr/share/icons/hicolor/scalable/mimetypes/$mime_icon.svg")
for size in "${icon_sizes[@]}"; do
    icon_pngs+=("/usr/share/icons/hicolor/${size}x$size/apps/$app.png")
    icon_pngs+=("/usr/share/icons/hicolor/${size}x$size/mimetypes/$mime_icon.png")
done
expected+=("${icon_pngs[@]}")
# The programs the build installs (korvelle-cli too, where it is built), and
# their manual pages.
mapfile -t programs <build/package/installed-programs.txt
for program in "${programs[@]}"; do
    expected+=("/usr/bin/$program")
    [ -f "docs/$program.1" ] && expected+=("/usr/share/man/man1/$program.1.gz")
done
for doc in docs/*.md; do expected+=("/usr/share/doc/korvelle/$(basename "$doc")"); done
# The guide's pictures beside it.
for picture in $(grep -o '](images/[^)]*\.png)' docs/user-guide.md | sed 's|^](images/||; s|)$||'); do
    expected+=("/usr/share/doc/korvelle/images/$picture")
done
for file in "${expected[@]}"; do
    printf '%s\n' "${listed[@]}" | grep -qxF "$file" || fail "dpkg -L korvelle does not list $file"
    [ -s "$file" ] || fail "$file is empty or missing"
done
for file in "${files[@]}"; do
    [[ "$file" == /usr/* ]] || fail "$file lies outside /usr"
done
for png in "${icon_pngs[@]}"; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    [ "$(identify -format '%wx%h' "$png")" = "$size" ] || fail "$png is not $size pixels"
done

step "the documentation is the users'"
cmp -s data/doc/README.md /usr/share/doc/korvelle/README.md ||
    fail "/usr/share/doc/korvelle/README.md is not the users' README (data/doc/README.md)"
# Every link between the installed pages leads to an installed file.
while IFS= read -r page; do
    for link in $(grep -o '](\([^)#]*\)[^)]*)' "$page" | sed 's|^](||; s|[#)].*||' | grep -v '^[a-z]*:' | sort -u); do
        [ -e "$(dirname "$page")/$link" ] || fail "$page links to $link, which is not installed"
    done
done < <(find /usr/share/doc/korvelle -name '*.md')

step "versions"
[ "$(/usr/bin/korvelle --version)" = "korvelle $version" ] ||
    fail "korvelle --version says \"$(/usr/bin/korvelle --version)\", not \"korvelle $version\""
man -w korvelle >/dev/null || fail "man does not find korvelle(1)"
example=/usr/share/doc/korvelle/examples/full-depth.korvelle
if [ -x /usr/bin/korvelle-cli ]; then
    /usr/bin/korvelle-cli --version | grep -qF "$version" ||
        fail "korvelle-cli --version says \"$(/usr/bin/korvelle-cli --version)\", not $version"
    /usr/bin/korvelle-cli show "$example" >"$out/cli-show.txt" 2>&1 ||
        { cat "$out/cli-show.txt" >&2; fail "korvelle-cli show $example failed"; }
    [ -s "$out/cli-show.txt" ] || fail "korvelle-cli show $example printed nothing"
    [ -f docs/korvelle-cli.1 ] && { man -w korvelle-cli >/dev/null || fail "man does not find korvelle-cli(1)"; }
    step "korvelle-cli --version and show ran"
else
    step "no korvelle-cli in this build: its checks are skipped"
fi

step "desktop entry and metainfo"
desktop-file-validate /usr/share/applications/$app.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/$app.metainfo.xml >"$out/appstream.txt" 2>&1 ||
    { cat "$out/appstream.txt" >&2; fail "appstreamcli validate"; }

step "MIME type of design files"
"${sudo[@]}" update-mime-database /usr/share/mime
mime_home=$out/mime-home
mkdir -p "$mime_home"
cp "$example" "$out/design.korvelle"
cp "$example" "$out/renamed-design.json"
cp "$example" "$out/renamed-design"
for file in design.korvelle renamed-design.json renamed-design; do
    type=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION HOME="$mime_home" XDG_DATA_HOME="$mime_home" \
        XDG_DATA_DIRS=/usr/share xdg-mime query filetype "$out/$file")
    [ "$type" = application/x-korvelle-design ] || fail "xdg-mime query filetype $file gives \"$type\""
done
[ "$(env -u XDG_CURRENT_DESKTOP HOME="$mime_home" XDG_DATA_DIRS=/usr/share \
    xdg-mime query default application/x-korvelle-design)" = $app.desktop ] ||
    fail "the desktop does not open design files with $app.desktop"
grep -qF "<icon name=\"$mime_icon\"/>" /usr/share/mime/application/x-korvelle-design.xml ||
    fail "the MIME database gives design files no icon named $mime_icon"

step "the installed program opens a design file given to it as the desktop entry does"
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/$app.desktop)
[ "$exec_line" = "korvelle %f" ] || fail "the desktop entry runs \"$exec_line\""
(
    source tests/e2e/desktop.sh
    PATH=/usr/bin:/bin
    start_program korvelle "$out/session" "$out/design.korvelle"
    window "Flexible Pavement Design" >/dev/null
    shot start-up
    keys Return                                  # CONTINUE opens the design
    window "Flexible Pavement Design - Main Menu" >/dev/null
    shot main-menu
    kill -TERM "$PROGRAM_PID"                    # ends without a question
    program_ends
)
step "the main menu showed the opened design"
