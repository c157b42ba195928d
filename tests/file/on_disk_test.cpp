#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include "file/design_file.h"
#include "file/design_file_support.h"

namespace korvelle {
namespace {

namespace fs = std::filesystem;
using testing::ExampleText;
using testing::RefusalOf;

class ReadDesignFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("korvelle-file-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    fs::path folder_;
};

TEST_F(ReadDesignFileTest, RefusesAFileItCannotUseNamingTheFileAndTheReason) {
    const std::string example = ExampleText("data/examples/overlay.korvelle");
    const std::string missing = (folder_ / "missing.korvelle").string();
    const std::string pipe = (folder_ / "pipe.korvelle").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string tooLarge = Write("large.korvelle", example + std::string(kMaxDesignFileBytes, ' '));
    const std::string broken = Write("broken.korvelle", example.substr(0, 40));
    struct Case {
        std::string path;
        std::string reason;
    } const cases[] = {
        {missing, "cannot be read: No such file or directory"},
        {folder_.string(), "is a folder, not a design file"},
        {pipe, "is not a regular file"},  // opening it would wait for a writer
        {tooLarge, "larger than 1 MiB"},
        {broken, "not a design file: the JSON text is broken at line 3, column 8"},  // in "vers
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const DesignFileReading reading = ReadDesignFile(c.path);
        ASSERT_TRUE(std::holds_alternative<DesignFileRefusal>(reading));
        EXPECT_EQ(std::get<DesignFileRefusal>(reading).file, c.path);
        EXPECT_EQ(std::get<DesignFileRefusal>(reading).reason, c.reason);
        EXPECT_EQ(RefusalOf(reading), c.path + ": " + c.reason);
    }
}

TEST_F(ReadDesignFileTest, ReadsAFileUpToExactly1MiB) {
    std::string text = ExampleText("data/examples/overlay.korvelle");
    text.append(kMaxDesignFileBytes - text.size(), '\n');
    const DesignFileReading file = ReadDesignFile(Write("full.korvelle", text));
    ASSERT_EQ(RefusalOf(file), "(read)");
    EXPECT_EQ(std::get<DesignFile>(file), std::get<DesignFile>(ReadDesignFileText(text)));
}

TEST(DesignFileName, OffersTheProjectNumberAsAFileNameEveryFileSystemTakes) {
    const std::string longName(300, 'x');
    // 198 bytes of "e" with an acute accent (2 bytes each): the 191 bytes
    // left beside the extension end in the middle of a character.
    std::string accents;
    for (int i = 0; i < 99; ++i) accents += "\xC3\xA9";
    struct Case {
        std::string number;
        std::string name;
    } const cases[] = {
        {"STP-0021-02(037)", "STP-0021-02(037).korvelle"},
        {"NH/0123\\45:A*B?C\"D<E>F|G", "NH-0123-45-A-B-C-D-E-F-G.korvelle"},
        {"A\tB\nC\x7F" "D", "A-B-C-D.korvelle"},
        {".hidden", "-hidden.korvelle"},
        {"  STP 21  ", "STP 21.korvelle"},
        {"", "design.korvelle"},
        {" \t ", "design.korvelle"},
        {"Caf\xC3\xA9 \xE6\x97\xA5", "Caf\xC3\xA9 \xE6\x97\xA5.korvelle"},
        {longName, std::string(191, 'x') + ".korvelle"},
        {accents, accents.substr(0, 190) + ".korvelle"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const std::string name = DesignFileName(c.number);
        EXPECT_EQ(name, c.name);
        EXPECT_LE(name.size(), kMaxDesignFileNameBytes);
    }
}

}  // namespace
}  // namespace korvelle
