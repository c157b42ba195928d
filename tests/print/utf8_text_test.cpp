#include "print/utf8_text.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(Utf8Length("a\xE2\x80"), 3u);
    std::string all;
    for (std::string_view c : Utf8Characters("x\xC3\xE2\x80\x94\xFFz")) all += c;
    EXPECT_EQ(all, "x\xC3\xE2\x80\x94\xFFz");
    EXPECT_EQ(Utf8Characters("x\xC3\xE2\x80\x94\xFFz").size(), 5u);
}

}  // namespace
}  // namespace korvelle
