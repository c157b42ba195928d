#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "file/design_file.h"
#include "file/random_design.h"

namespace korvelle {
namespace {

::testing::AssertionResult ReadsBackAsItself(const DesignFile& file) {
    const std::string text = DesignFileText(file);
    const DesignFileReading reading = ReadDesignFileText(text);
    if (const auto* refusal = std::get_if<DesignFileRefusal>(&reading)) {
        return ::testing::AssertionFailure() << "refused: " << refusal->Message() << "\n" << text;
    }
    const DesignFile& read = std::get<DesignFile>(reading);
    if (!(read == file)) return ::testing::AssertionFailure() << "read back differently:\n" << text;
    if (DesignFileText(read) != text) return ::testing::AssertionFailure() << "written differently:\n" << text;
    // Format 2 only for a design with alternatives: one without still opens
    // in a program that reads format 1.
    const std::string version = file.alternatives.empty() ? "\n  \"version\": 1,\n" : "\n  \"version\": 2,\n";
    if (text.find(version) == std::string::npos) return ::testing::AssertionFailure() << "not" << version << text;
    return ::testing::AssertionSuccess();
}

TEST(DesignFileText, EveryDesignReadsBackAsItselfAndWritesTheSameText) {
    EXPECT_TRUE(ReadsBackAsItself(DesignFile{}));
    testing::RandomDesigns designs(7);
    for (int i = 0; i < 400; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(ReadsBackAsItself(designs.Next()));
    }
}

// Texts come from the screens as UTF-8; should one not be, saving must still
// write a file that opens.
TEST(DesignFileText, WritesBytesThatAreNotUtf8AsReplacementCharacters) {
    DesignFile file;
    file.designer[1] = "caf\xE9 \xC3";
    const DesignFileReading reading = ReadDesignFileText(DesignFileText(file));
    ASSERT_TRUE(std::holds_alternative<DesignFile>(reading));
    EXPECT_EQ(std::get<DesignFile>(reading).designer[1], "caf\xEF\xBF\xBD \xEF\xBF\xBD");
}

}  // namespace
}  // namespace korvelle
