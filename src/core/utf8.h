#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace korvelle {

// UTF-8 texts as the whole program measures them: the field limits, the form's
// columns, file names and messages all count characters this one way.
//
// A character is a well-formed UTF-8 sequence (no overlong forms, no
// surrogates, nothing beyond U+10FFFF).  A byte that does not start a
// well-formed sequence counts as one character of its own, so every byte of a
// text belongs to exactly one character: the byte shows as one replacement
// character wherever the text is shown or written.

// The characters of a text, each as the bytes that encode it.
std::vector<std::string_view> Utf8Characters(std::string_view text);

// The bytes of the character that starts at text[at] (at below the size).
std::size_t Utf8CharacterSize(std::string_view text, std::size_t at);

// The number of characters of a text.
std::size_t Utf8Length(std::string_view text);

// The longest prefix of a text within `bytes`, never splitting a character.
std::string_view Utf8Prefix(std::string_view text, std::size_t bytes);

// Whether the text holds a control character: U+0000 to U+001F, U+007F to
// U+009F.  No key typed into a field gives one.
bool HoldsControlCharacter(std::string_view text);

}  // namespace korvelle
