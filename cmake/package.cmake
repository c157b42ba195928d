# The Debian package, korvelle_<version>_amd64.deb, built by CPack (DEB) from
# the install rules (cmake/install.cmake); scripts/package.sh configures a
# release build for it and prints the package's path.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Korvelle developers")
set(CPACK_PACKAGE_CONTACT "The Korvelle developers <korvelle@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flexible pavement design by the 1972 AASHTO Interim Guide")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # korvelle_<version>_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries the programs link, found by dpkg-shlibdeps; the form's
# typeface besides: its columns are laid out for the fixed-pitch Courier that
# fonts-urw-base35 provides ("Nimbus Mono PS").  Liberation's metric-compatible
# faces are only offered in the font dialog.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
# The long description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Korvelle is a desktop program with which a highway agency's pavement
designers design flexible (asphalt) pavements by the 1972 AASHTO Interim
Guide method. From the project's traffic and design data it computes the
design-period 18-kip ESAL loading and the required structural number, lays
out a new full-depth pavement or an overlay course by course, shows the
proposed structural number with its over- or underdesign, and prints a
one-page design form to sign off.
.
Designs are saved as design files and reopened; korvelle-cli checks and
shows design files from the command line.")
include(CPack)
