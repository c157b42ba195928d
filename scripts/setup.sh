#!/usr/bin/env bash
# Installs every Debian package that Korvelle needs to build, run and test.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev qt6-svg-dev
  qt6-charts-dev libqt6opengl6-dev  # Qt Charts' CMake files need Qt OpenGL's, which the package does not pull in
  libgtest-dev
  nlohmann-json3-dev python3-jsonschema libcli11-dev
  libbenchmark-dev time x11-utils
  fonts-urw-base35 fonts-liberation2 fonts-dejavu-core
  xvfb xauth xdotool imagemagick poppler-utils openbox
  clang libclang-rt-14-dev
  librsvg2-bin dpkg-dev lintian desktop-file-utils appstream
  shared-mime-info xdg-utils libfile-mimeinfo-perl file man-db
)

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
