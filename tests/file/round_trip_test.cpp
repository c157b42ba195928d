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

}  // namespace
}  // namespace korvelle
