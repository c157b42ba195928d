# Writes a C++ source whose function returns a file's bytes as they stand:
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DFUNCTION=<name> [-DHEADER=<header>] -P text_to_cpp.cmake
# The function, in namespace korvelle, is `std::string_view FUNCTION()`.
# The bytes are written as numbers, so that any text compiles as it is.
file(READ "${INPUT}" bytes HEX)
string(LENGTH "${bytes}" digits)
math(EXPR count "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
# Sixteen bytes to a line.
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
get_filename_component(source "${INPUT}" NAME)
set(include "")
if(HEADER)
  set(include "#include \"${HEADER}\"\n\n")
endif()
file(WRITE "${OUTPUT}" "// ${source} as it stands, written by cmake/text_to_cpp.cmake at build time.
${include}#include <string_view>

namespace korvelle {

namespace {

const unsigned char kBytes[${count} + 1] = {
    ${bytes}0x00};

}  // namespace

std::string_view ${FUNCTION}() { return {reinterpret_cast<const char*>(kBytes), ${count}}; }

}  // namespace korvelle
")
