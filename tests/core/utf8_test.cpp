#include "core/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace korvelle {
namespace {

TEST(Utf8Text, CharactersAreWholeSequences) {
    EXPECT_EQ(Utf8Length(""), 0u);
    EXPECT_EQ(Utf8Length("Barrow"), 6u);
    EXPECT_EQ(Utf8Length("\xC3\x9C" "ber"), 4u);          // U-umlaut, two bytes
    EXPECT_EQ(Utf8Length("\xE2\x80\x94"), 1u);            // em dash, three bytes
    EXPECT_EQ(Utf8Length("a\xF0\x9F\x98\x80" "b"), 3u);    // four-byte character
    std::vector<std::string_view> expected = {"a", "\xC3\xA9", "b"};
    EXPECT_EQ(Utf8Characters("a\xC3\xA9" "b"), expected);
}

TEST(Utf8Text, BrokenBytesCountOneEach) {
    // A lead byte without its continuation, a stray continuation byte, and a
    // sequence cut off by the end of the text.
    EXPECT_EQ(Utf8Length("\xC3" "a"), 2u);
    EXPECT_EQ(Utf8Length("\x80\x80"), 2u);
    EXPECT_EQ(Utf8Length("\x80" "abc"), 4u);  // the stray byte is a character, as it shows
    EXPECT_EQ(Utf8Length("a\xE2\x80"), 3u);
    // Overlong forms, a surrogate and a value beyond U+10FFFF are no
    // characters: each of their bytes counts alone.
    EXPECT_EQ(Utf8Length("\xC0\xAF"), 2u);
    EXPECT_EQ(Utf8Length("\xE0\x80\xAF"), 3u);
    EXPECT_EQ(Utf8Length("\xED\xA0\x80"), 3u);
    EXPECT_EQ(Utf8Length("\xF4\x90\x80\x80"), 4u);
    EXPECT_EQ(Utf8Length("\xF4\x8F\xBF\xBF"), 1u);  // U+10FFFF itself
    std::string all;
    for (std::string_view c : Utf8Characters("x\xC3\xE2\x80\x94\xFFz")) all += c;
    EXPECT_EQ(all, "x\xC3\xE2\x80\x94\xFFz");
    EXPECT_EQ(Utf8Characters("x\xC3\xE2\x80\x94\xFFz").size(), 5u);
}

TEST(Utf8Text, APrefixNeverSplitsACharacterAndControlCharactersAreFound) {
    EXPECT_EQ(Utf8Prefix("ab\xC3\xA9" "c", 3), "ab");
    EXPECT_EQ(Utf8Prefix("ab\xC3\xA9" "c", 4), "ab\xC3\xA9");
    EXPECT_EQ(Utf8Prefix("a\x80\x80", 2), "a\x80");  // broken bytes are characters of one byte
    EXPECT_EQ(Utf8Prefix("abc", 10), "abc");
    struct Case {
        std::string text;
        bool control;
    };
    for (const Case& c : {Case{"STP-0021", false}, Case{"a\tb", true}, Case{std::string("a\0b", 3), true},
                          Case{"\x1b[2J", true}, Case{"x\x7f", true}, Case{"\xC2\x85", true},  // NEL
                          Case{"\xC2\x9F", true}, Case{"\xC2\xA0", false},                     // no-break space
                          Case{"\xE2\x80\xA8", false}, Case{"\x85", false},  // a stray byte, not U+0085
                          Case{"\xC3\xA9t\xC3\xA9", false}}) {
        EXPECT_EQ(HoldsControlCharacter(c.text), c.control) << c.text;
    }
}

}  // namespace
}  // namespace korvelle
