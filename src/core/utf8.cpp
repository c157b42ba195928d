#include "utf8.h"

namespace korvelle {

namespace {

bool InRange(unsigned char byte, unsigned char low, unsigned char high) { return byte >= low && byte <= high; }

// Length of the well-formed sequence starting at text[at], or 1 when the
// bytes there do not form one.  The second byte's range depends on the
// first, which rules out overlong forms, surrogates and values beyond
// U+10FFFF; every later byte is a continuation byte 80 to BF.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead < 0x80) return 1;
    if (InRange(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (InRange(lead, 0xE0, 0xEF)) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (InRange(lead, 0xF0, 0xF4)) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 1;
    }
    if (at + length > text.size()) return 1;
    if (!InRange(static_cast<unsigned char>(text[at + 1]), low, high)) return 1;
    for (std::size_t i = 2; i < length; ++i) {
        if (!InRange(static_cast<unsigned char>(text[at + i]), 0x80, 0xBF)) return 1;
    }
    return length;
}

}  // namespace

std::size_t Utf8CharacterSize(std::string_view text, std::size_t at) { return SequenceLength(text, at); }

std::vector<std::string_view> Utf8Characters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = SequenceLength(text, at);
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

std::string_view Utf8Prefix(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t next = at + SequenceLength(text, at);
        if (next > bytes) break;
        end = at = next;
    }
    return text.substr(0, end);
}

bool HoldsControlCharacter(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = SequenceLength(text, at);
        if (byte < 0x20 || byte == 0x7F) return true;
        // U+0080 to U+009F: C2 80 to C2 9F.
        if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) <= 0x9F) return true;
        at += length;
    }
    return false;
}

}  // namespace korvelle
