#!/usr/bin/env bash
# Builds and runs every test: the engineering core under AddressSanitizer
# and UndefinedBehaviorSanitizer, then the whole program (unit and screen
# tests, the benchmarks run once, and the end-to-end sessions of the real
# program under Xvfb), then the fuzz targets for a short time each, and last
# the Debian package: built, installed, tried and removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default

bash scripts/fuzz.sh

bash scripts/package_test.sh
