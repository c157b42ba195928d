# How every library of the project is built.
#
# korvelle_options: the compile and link options of every target the project
# builds (warnings; the sanitizers or the fuzzer's instrumentation when those
# builds are chosen).  Libraries link it PUBLIC, so that the programs and
# tests built on them get the same.
add_library(korvelle_options INTERFACE)
target_compile_options(korvelle_options INTERFACE -Wall -Wextra -Wpedantic)
if(KORVELLE_SANITIZE)
  target_compile_options(korvelle_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                    -fno-sanitize-recover=all)
  target_link_options(korvelle_options INTERFACE -fsanitize=address,undefined)
endif()
if(KORVELLE_FUZZ AND KORVELLE_FUZZ_SANITIZE)
  target_compile_options(korvelle_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                    -fno-sanitize-recover=all -fno-omit-frame-pointer
                                                    -D_GLIBCXX_ASSERTIONS)
elseif(KORVELLE_FUZZ)
  # Coverage instrumentation alone: several times the runs a second, for
  # long campaigns whose finds the sanitized build then replays.
  target_compile_options(korvelle_options INTERFACE -fsanitize=fuzzer-no-link -fno-omit-frame-pointer)
endif()

# korvelle_library(NAME FOLDER SOURCES... [DEPENDS libraries...]): a library
# of the sources of src/FOLDER.  Its headers are reached as "FOLDER/name.h"
# through an include folder of its own that holds src/FOLDER and nothing
# else, so a library sees the headers of the libraries it depends on and no
# other: an include of a higher layer (src/ui from src/core, say) does not
# compile.
function(korvelle_library name folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "SOURCES;DEPENDS")
  set(root ${PROJECT_BINARY_DIR}/include/${folder})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  list(TRANSFORM arg_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/src/${folder}/ REGEX "^[^/$]")
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC ${root})
  target_link_libraries(${name} PUBLIC korvelle_options ${arg_DEPENDS})
endfunction()
