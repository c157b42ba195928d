#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <variant>

#include "file/design_file.h"
#include "file/design_file_support.h"

namespace korvelle {
namespace {

using Json = nlohmann::ordered_json;
using testing::ExampleText;
using testing::RefusalOf;

const char* const kFullDepth = "data/examples/full-depth.korvelle";
const char* const kOverlay = "data/examples/overlay.korvelle";

// An example file with one change made to it.
std::string Changed(const char* example, const std::function<void(Json&)>& change) {
    Json file = Json::parse(ExampleText(example));
    change(file);
    return file.dump(2);
}

struct Case {
    const char* what;
    std::string text;
    std::string message;
};

TEST(ReadDesignFileText, RefusesEachKindOfFaultWithOneMessageSayingWhatIsWrong) {
    const std::string kOneMiB(kMaxDesignFileBytes, ' ');
    const Case cases[] = {
        {"not JSON", "{\n  \"format\": \"korvelle-design\",\n  \"version\": 1,,\n}",
         "not a design file: the JSON text is broken at line 3, column 16"},
        {"cut short", "{\n  \"format\": \"korvelle-design\",\n  \"version\"",
         "not a design file: the JSON text is broken at line 3, column 12"},
        {"empty", "", "not a design file: the JSON text is broken at line 1, column 1"},
        {"columns count characters", "{\"project\": \"\xE6\x97\xA5\xE6\x9C\xAC\", x}",
         "not a design file: the JSON text is broken at line 1, column 19"},
        {"not UTF-8", "{\n\"a\": \"caf\xC3\x28\"}", "not a design file: the text is not valid UTF-8 at line 2, column 11"},
        // The parser stops on the number's last digit: 1e500 stands in columns 14 to 18.
        {"a number beyond a double", "{\n  \"format\": \"korvelle-design\",\n  \"version\": 1e500\n}",
         "not a design file: the JSON text is broken at line 3, column 18"},
        {"a list", "[1, 2]", "not a Korvelle design file"},
        {"another format", Changed(kFullDepth, [](Json& f) { f["format"] = "spreadsheet"; }),
         "not a Korvelle design file"},
        {"no format", Changed(kFullDepth, [](Json& f) { f.erase("format"); }), "not a Korvelle design file"},
        {"newer version", Changed(kFullDepth, [](Json& f) { f["version"] = 3; }),
         "written by a newer Korvelle: format 3; this version reads formats 1 to 2"},
        {"no version", Changed(kFullDepth, [](Json& f) { f.erase("version"); }), "the member version is missing"},
        {"version as text", Changed(kFullDepth, [](Json& f) { f["version"] = "1"; }),
         "the member version must be a positive whole number"},
        {"version 0", Changed(kFullDepth, [](Json& f) { f["version"] = 0; }),
         "the member version must be a positive whole number"},
        {"version -1", Changed(kFullDepth, [](Json& f) { f["version"] = -1; }),
         "the member version must be a positive whole number"},
        {"version 1.5", Changed(kFullDepth, [](Json& f) { f["version"] = 1.5; }),
         "the member version must be a positive whole number"},
        {"no program", Changed(kFullDepth, [](Json& f) { f.erase("program"); }), "the member program is missing"},
        {"stage not named", Changed(kFullDepth, [](Json& f) { f["stage"] = "result"; }),
         "the member stage must be one of \"project-information\", \"design-data\", \"designer-information\", "
         "\"main-menu\", \"full-depth\", \"overlay\""},
        {"a field missing", Changed(kFullDepth, [](Json& f) { f["project"].erase("initialYear"); }),
         "the member project.initialYear is missing"},
        {"a screen missing", Changed(kFullDepth, [](Json& f) { f.erase("designData"); }),
         "the member designData is missing"},
        {"a screen as a list", Changed(kFullDepth, [](Json& f) { f["project"] = Json::array(); }),
         "the member project must be an object"},
        {"a number for a typed text", Changed(kFullDepth, [](Json& f) { f["project"]["truckPercent"] = 10; }),
         "the member project.truckPercent must be a string"},
        {"null for a typed text", Changed(kFullDepth, [](Json& f) { f["designData"]["ldf"] = nullptr; }),
         "the member designData.ldf must be a string"},
        {"office as text", Changed(kFullDepth, [](Json& f) { f["designer"]["office"] = "1"; }),
         "the member designer.office must be a whole number from 0 to 4"},
        {"office beyond the list", Changed(kFullDepth, [](Json& f) { f["designer"]["office"] = 5; }),
         "the member designer.office must be a whole number from 0 to 4"},
        {"county as a number", Changed(kFullDepth, [](Json& f) { f["worksheets"]["county"]["chosen"] = 3; }),
         "the member worksheets.county.chosen must be a string or null"},
        {"county worksheet missing", Changed(kFullDepth, [](Json& f) { f["worksheets"].erase("county"); }),
         "the member worksheets.county is missing"},
        {"four courses", Changed(kFullDepth, [](Json& f) { f["fullDepth"]["courses"].erase(4); }),
         "fullDepth.courses must hold 5 courses"},
        {"structure as text", Changed(kFullDepth, [](Json& f) { f["fullDepth"] = "none"; }),
         "the member fullDepth must be an object"},
        {"course as a number", Changed(kFullDepth, [](Json& f) { f["fullDepth"]["courses"][1] = 3; }),
         "the member fullDepth.courses[1] must be an object"},
        {"position as text", Changed(kFullDepth, [](Json& f) { f["fullDepth"]["courses"][0]["position"] = "2"; }),
         "the member fullDepth.courses[0].position must be a whole number"},
        {"thickness as a number", Changed(kOverlay, [](Json& f) { f["overlay"]["existing"][1]["thickness"] = 8; }),
         "the member overlay.existing[1].thickness must be a string"},
        {"material of another list",
         Changed(kFullDepth, [](Json& f) { f["fullDepth"]["courses"][1]["material"] = "Sand-Clay Base"; }),
         "full-depth COURSE 2: \"Sand-Clay Base\" is not one of the materials of this list"},
        {"a lower course's material on top",
         Changed(kFullDepth, [](Json& f) { f["fullDepth"]["courses"][0]["material"] = "25 mm Superpave"; }),
         "full-depth COURSE 1: \"25 mm Superpave\" is not one of the materials of this list"},
        {"a base under an overlay",
         Changed(kOverlay, [](Json& f) { f["overlay"]["overlay"][1]["material"] = "Graded Aggregate Base"; }),
         "overlay COURSE 2: \"Graded Aggregate Base\" is not one of the materials of this list"},
        {"a mix in the existing pavement",
         Changed(kOverlay, [](Json& f) { f["overlay"]["existing"][2]["material"] = "19 mm Superpave"; }),
         "existing COURSE 3: \"19 mm Superpave\" is not one of the materials of this list"},
        {"a name told apart by case",
         Changed(kOverlay, [](Json& f) { f["overlay"]["existing"][0]["material"] = "asphaltic concrete"; }),
         "existing COURSE 1: \"asphaltic concrete\" is not one of the materials of this list"},
        {"a long name cut short",
         Changed(kFullDepth, [](Json& f) { f["fullDepth"]["courses"][1]["material"] = std::string(59, 'x') + "\xC3\xA9y"; }),
         "full-depth COURSE 2: \"" + std::string(59, 'x') + "...\" is not one of the materials of this list"},
        {"a name on two lines",
         Changed(kOverlay, [](Json& f) { f["overlay"]["overlay"][0]["material"] = "12.5 mm\nSuperpave"; }),
         "overlay COURSE 1: \"12.5 mm\\nSuperpave\" is not one of the materials of this list"},
        {"name and position disagree",
         Changed(kFullDepth, [](Json& f) { f["fullDepth"]["courses"][1]["position"] = 4; }),
         "full-depth COURSE 2: \"19 mm Superpave\" is at position 3 of this list, not 4"},
        {"a position without a material",
         Changed(kFullDepth, [](Json& f) { f["fullDepth"]["courses"][4]["position"] = 9; }),
         "full-depth COURSE 5: no material is chosen, so its position must be -1"},
        {"structure not named", Changed(kFullDepth, [](Json& f) { f["accepted"]["structure"] = "both"; }),
         "the member accepted.structure must be \"full-depth\" or \"overlay\""},
        {"six rows for a full depth",
         Changed(kFullDepth, [](Json& f) { f["accepted"]["rows"].push_back(f["accepted"]["rows"][4]); }),
         "accepted.rows must hold 5 rows for a full-depth structure"},
        {"five rows for an overlay", Changed(kOverlay, [](Json& f) { f["accepted"]["rows"].erase(5); }),
         "accepted.rows must hold 6 rows for an overlay"},
        {"a row of eight cells", Changed(kFullDepth, [](Json& f) { f["accepted"]["rows"][2].erase(8); }),
         "accepted.rows[2] must be an array of 9 cells"},
        {"a cell as a number", Changed(kFullDepth, [](Json& f) { f["accepted"]["rows"][3][4] = 1.28; }),
         "the member accepted.rows[3][4] must be a string"},
        {"the verdict missing", Changed(kOverlay, [](Json& f) { f["accepted"].erase("verdict"); }),
         "the member accepted.verdict is missing"},
        {"accepted without its courses", Changed(kFullDepth, [](Json& f) { f.erase("fullDepth"); }),
         "a full-depth structure is accepted, but the file holds no full-depth courses"},
        {"current as text", Changed(kFullDepth, [](Json& f) { f["accepted"]["current"] = "yes"; }),
         "the member accepted.current must be true or false"},
        {"alternatives not a list", Changed(kFullDepth, [](Json& f) { f["alternatives"] = Json::object(); }),
         "the member alternatives must be an array"},
        {"an alternative without its name",
         Changed(kFullDepth, [](Json& f) {
             f["alternatives"] = {{{"structure", "full-depth"}, {"courses", f["fullDepth"]["courses"]}}};
         }),
         "the member alternatives[0].name is missing"},
        {"an alternative of no known kind",
         Changed(kFullDepth, [](Json& f) {
             f["alternatives"] = {{{"name", "A"}, {"structure", "both"}, {"courses", f["fullDepth"]["courses"]}}};
         }),
         "the member alternatives[0].structure must be \"full-depth\" or \"overlay\""},
        {"an alternative with four courses",
         Changed(kFullDepth, [](Json& f) {
             f["alternatives"] = {{{"name", "A"}, {"structure", "full-depth"}, {"courses", f["fullDepth"]["courses"]}}};
             f["alternatives"][0]["courses"].erase(4);
         }),
         "alternatives[0].courses must hold 5 courses"},
        {"an overlay alternative without its existing courses",
         Changed(kOverlay, [](Json& f) {
             f["alternatives"] = {{{"name", "B"}, {"structure", "overlay"}, {"overlay", f["overlay"]["overlay"]}}};
         }),
         "the member alternatives[0].existing is missing"},
        {"larger than 1 MiB", ExampleText(kFullDepth) + kOneMiB, "larger than 1 MiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RefusalOf(ReadDesignFileText(c.text)), c.message);
    }
}

TEST(ReadDesignFileText, IgnoresWhatALaterFormatMayAddAndTakesTheLastOfADuplicatedMember) {
    const DesignFileReading example = ReadDesignFileText(ExampleText(kFullDepth));
    ASSERT_EQ(RefusalOf(example), "(read)");
    std::string duplicated = ExampleText(kFullDepth);
    duplicated.insert(duplicated.find("\"stage\""), "\"stage\": \"overlay\",\n  ");
    std::string padded = ExampleText(kFullDepth);
    padded.append(kMaxDesignFileBytes - padded.size(), ' ');
    const Case cases[] = {
        {"unknown members", Changed(kFullDepth, [](Json& f) {
             f["units"] = "inches";
             f["project"]["route"] = Json::object({{"number", 21}});
             f["fullDepth"]["courses"][0]["colour"] = nullptr;
         }), ""},
        {"null for a structure never used", Changed(kFullDepth, [](Json& f) { f["overlay"] = nullptr; }), ""},
        {"a member given twice", duplicated, ""},
        {"members in another order", Json::parse(ExampleText(kFullDepth)).dump(), ""},
        {"exactly 1 MiB", padded, ""},
        {"a byte order mark", "\xEF\xBB\xBF" + ExampleText(kFullDepth), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DesignFileReading reading = ReadDesignFileText(c.text);
        ASSERT_EQ(RefusalOf(reading), "(read)");
        EXPECT_TRUE(std::get<DesignFile>(reading) == std::get<DesignFile>(example));
    }
}

}  // namespace
}  // namespace korvelle
