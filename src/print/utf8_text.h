#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace korvelle {

// The characters of a UTF-8 text, each as the bytes that encode it.  A byte
// that does not start a well-formed sequence counts as one character of its
// own, so every byte of the text belongs to exactly one character.
std::vector<std::string_view> Utf8Characters(std::string_view text);

// The number of characters of a UTF-8 text, counted as Utf8Characters does.
std::size_t Utf8Length(std::string_view text);

}  // namespace korvelle
