#!/usr/bin/env bash
# Builds the Debian package korvelle_<version>_amd64.deb and prints its path:
# a release build of the programs alone (no tests, no benchmarks) in
# build/package, with Debian's hardening flags, packed by CPack's DEB
# generator.  The build's and CPack's messages go to standard error.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/package
# Debian's flags (stack protector, _FORTIFY_SOURCE, relro, now) without its
# debugging information, which the package strips anyway; -O2 as in the
# build the tests run on.
export DEB_CXXFLAGS_MAINT_STRIP="-g" DEB_BUILD_MAINT_OPTIONS="hardening=+all"
cmake -S . -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF -DKORVELLE_DEBIAN_DOCS=ON >&2
cmake --build "$build" -j2 >&2
rm -f "$build"/korvelle_*.deb
(cd "$build" && cpack -G DEB) >&2
deb=$(ls "$build"/korvelle_*_amd64.deb)
echo "$deb"
