// The desktop knows a design file by its content too (data/desktop/
// korvelle-mime.xml): a match of the "format" member within the first bytes.
// Every file the writer writes must carry one of those matches there, or a
// renamed design file would no longer be known as one.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "file/design_file.h"
#include "file/design_file_support.h"
#include "random_design.h"

namespace korvelle {
namespace {

struct Magic {
    std::string value;
    std::size_t lastOffset = 0;  // the match may begin at any byte up to this one
};

std::string Unescaped(std::string text) {
    for (std::size_t at = text.find("&quot;"); at != std::string::npos; at = text.find("&quot;", at + 1)) {
        text.replace(at, 6, "\"");
    }
    return text;
}

std::vector<Magic> MagicOfTheMimeType() {
    const std::string xml = testing::FileText(testing::SourceFile("data/desktop/korvelle-mime.xml"));
    const std::regex match(R"re(<match type="string" value="([^"]*)" offset="0:([0-9]+)"/>)re");
    std::vector<Magic> magic;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), match); it != std::sregex_iterator(); ++it) {
        magic.push_back({Unescaped((*it)[1]), std::stoul((*it)[2])});
    }
    return magic;
}

::testing::AssertionResult KnownByItsContent(const std::string& text, const std::vector<Magic>& magic) {
    for (const Magic& m : magic) {
        const std::size_t at = text.find(m.value);
        if (at != std::string::npos && at <= m.lastOffset) return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no match of the MIME type's magic near the start of\n"
                                         << text.substr(0, 300);
}

TEST(DesignFileMimeType, EveryWrittenFileIsKnownByItsContent) {
    const std::vector<Magic> magic = MagicOfTheMimeType();
    ASSERT_EQ(magic.size(), 2u) << "the compact and the spaced \"format\" member";
    for (const char* name : testing::kExampleFiles) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(KnownByItsContent(testing::ExampleText(name), magic));
    }
    // Whatever the texts hold, "format" stays the first member.
    testing::RandomDesigns designs(15);
    for (int i = 0; i < 200; ++i) {
        EXPECT_TRUE(KnownByItsContent(DesignFileText(designs.Next()), magic));
    }
    // Another JSON file, even one that quotes the member in a text, is not taken for a design file.
    EXPECT_FALSE(KnownByItsContent(R"({"format": "other", "note": "\"format\": \"korvelle-design\""})", magic));
}

}  // namespace
}  // namespace korvelle
