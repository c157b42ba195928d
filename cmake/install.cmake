# What `cmake --install` puts where (GNUInstallDirs): both programs, the
# desktop entry, the icon in the hicolor theme, the design files' MIME type,
# the AppStream metainfo, the man pages, and the documentation with the
# licence and the example designs.  korvelle-cli and its man page are
# installed whenever they are part of the build.

include(GNUInstallDirs)
# The documentation goes under the package's name, not the project's, unless
# the folder was chosen (Qt's packages include GNUInstallDirs before this, so
# the cached default already names the project).
if(CMAKE_INSTALL_DOCDIR STREQUAL "${CMAKE_INSTALL_DATAROOTDIR}/doc/${PROJECT_NAME}")
  set(CMAKE_INSTALL_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/korvelle")
endif()
# Folders 755 and files 644 whatever the umask of whoever installs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The one name of the desktop entry, the metainfo, the icon and the MIME
# package file.
set(KORVELLE_APP_ID org.korvelle.Korvelle)
set(desktop_data ${PROJECT_SOURCE_DIR}/data/desktop)

# Option on for the Debian package: the licence goes in as Debian's copyright
# file, with the changelog, where Debian's tools look for them.
option(KORVELLE_DEBIAN_DOCS "Install the licence as a Debian copyright file and the Debian changelog" OFF)

# The files that name the version again (the metainfo's newest release, the
# Debian changelog's newest entry) must name the project's.
function(korvelle_check_version file pattern)
  file(READ ${file} text)
  if(NOT text MATCHES "${pattern}" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${file}: the newest release is \"${CMAKE_MATCH_1}\", not ${PROJECT_VERSION}; "
                        "add an entry for ${PROJECT_VERSION}")
  endif()
endfunction()
korvelle_check_version(${desktop_data}/${KORVELLE_APP_ID}.metainfo.xml "<release version=\"([^\"]*)\"")
korvelle_check_version(${PROJECT_SOURCE_DIR}/data/debian/changelog "^korvelle \\(([^)]*)\\)")

# The programs, named in installed-programs.txt for the package's test.
set(programs korvelle)
if(TARGET korvelle-cli)
  list(APPEND programs korvelle-cli)
endif()
install(TARGETS ${programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
list(JOIN programs "\n" program_lines)
file(WRITE ${PROJECT_BINARY_DIR}/installed-programs.txt "${program_lines}\n")

install(FILES ${desktop_data}/${KORVELLE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_data}/${KORVELLE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_data}/korvelle-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME korvelle.xml)

# The icons, in the hicolor theme: the program's (apps) and its design
# files' (mimetypes, under the name the MIME type's <icon> gives).  Each is a
# drawing for every size from 22 pixels up and its own pixel-aligned drawing
# at 16, rendered at build time by rsvg-convert (librsvg2-bin), so that the
# pictures never lag behind the drawings.  Without rsvg-convert only the
# scalable drawings are installed.
set(icon_sizes 16 22 24 32 48 64 128 256)
set(icons "${KORVELLE_APP_ID}:apps" "application-x-korvelle-design:mimetypes")
find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
  message(WARNING "rsvg-convert not found (Debian package librsvg2-bin): the icons are installed only as SVG")
endif()
set(rendered)
foreach(icon ${icons})
  string(REPLACE ":" ";" icon "${icon}")
  list(GET icon 0 name)
  list(GET icon 1 context)
  install(FILES ${desktop_data}/icons/${name}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/${context})
  if(RSVG_CONVERT)
    foreach(size ${icon_sizes})
      set(drawing ${desktop_data}/icons/${name}.svg)
      if(size EQUAL 16)
        set(drawing ${desktop_data}/icons/${name}-16.svg)
      endif()
      set(folder ${PROJECT_BINARY_DIR}/icons/hicolor/${size}x${size}/${context})
      add_custom_command(OUTPUT ${folder}/${name}.png
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --output=${folder}/${name}.png ${drawing}
        DEPENDS ${drawing} VERBATIM)
      list(APPEND rendered ${folder}/${name}.png)
    endforeach()
  endif()
endforeach()
if(RSVG_CONVERT)
  add_custom_target(korvelle_icons ALL DEPENDS ${rendered})
  install(DIRECTORY ${PROJECT_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# Man pages, compressed as Debian's policy asks (gzip -9n: no name, no time),
# their title line naming the version the build makes, whatever the page in
# docs/ says.
set(man_pages)
foreach(program ${programs})
  set(page ${PROJECT_SOURCE_DIR}/docs/${program}.1)
  if(EXISTS ${page})
    set(gz ${PROJECT_BINARY_DIR}/man/${program}.1.gz)
    set(versioned ${PROJECT_BINARY_DIR}/man/${program}.1)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${page})
    file(READ ${page} text)
    string(REGEX REPLACE "(\n\\.TH [^\n]*\")Korvelle [0-9.]+\"" "\\1Korvelle ${PROJECT_VERSION}\"" text "\n${text}")
    string(SUBSTRING "${text}" 1 -1 text)
    file(CONFIGURE OUTPUT ${versioned} CONTENT "${text}" @ONLY)
    add_custom_command(OUTPUT ${gz}
      COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh ${versioned} ${gz}
      DEPENDS ${versioned} VERBATIM)
    list(APPEND man_pages ${gz})
  endif()
endforeach()
add_custom_target(korvelle_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The documentation: the users' README (data/doc; the repository's README is
# the developers'), every page of docs/ with its pictures, the example
# designs and the design files' schema.
install(FILES ${PROJECT_SOURCE_DIR}/data/doc/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}
        FILES_MATCHING PATTERN "*.md" PATTERN "*.png")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
        FILES_MATCHING PATTERN "*.korvelle")
install(FILES ${PROJECT_SOURCE_DIR}/data/design-file.schema.json DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(KORVELLE_DEBIAN_DOCS)
  # Debian's copyright file (DEP 5) from the licence, kept once in LICENSE.
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
  string(STRIP "${licence}" licence)
  string(REPLACE "\n\n" "\n.\n" licence "${licence}")
  string(REPLACE "\n" "\n " licence "${licence}")
  file(WRITE ${PROJECT_BINARY_DIR}/debian/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Korvelle
Upstream-Contact: The Korvelle developers <korvelle@example.org>

Files: *
Copyright: 2026 The Korvelle developers
License: Expat
 ${licence}
")
  set(changelog ${PROJECT_BINARY_DIR}/debian/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/debian
    COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/data/debian/changelog ${changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog VERBATIM)
  add_custom_target(korvelle_debian_changelog ALL DEPENDS ${changelog})
  install(FILES ${changelog} ${PROJECT_BINARY_DIR}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
else()
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
