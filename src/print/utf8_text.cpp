#include "utf8_text.h"

namespace korvelle {

namespace {

// Length of the well-formed sequence starting at text[at], or 1 when the
// bytes there do not form one.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
    auto byte = static_cast<unsigned char>(text[at]);
    std::size_t length = byte < 0x80           ? 1
                         : (byte >> 5) == 0x06 ? 2
                         : (byte >> 4) == 0x0E ? 3
                         : (byte >> 3) == 0x1E ? 4
                                               : 1;
    if (at + length > text.size()) return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) >> 6) != 0x2) return 1;
    }
    return length;
}

}  // namespace

std::vector<std::string_view> Utf8Characters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = SequenceLength(text, at);
        characters.push_back(text.substr(at, length));
        at += length;
    }
    return characters;
}

std::size_t Utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += SequenceLength(text, at)) ++count;
    return count;
}

}  // namespace korvelle
