#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "core/design_record.h"
#include "core/materials.h"
#include "core/number_format.h"
#include "core/number_text.h"
#include "core/required_sn.h"
#include "core/structure_evaluation.h"
#include "file/design_file.h"
#include "file/design_file_members.h"
#include "file/design_file_support.h"

namespace korvelle {
namespace {

using namespace design_file;
using testing::ExampleText;
using testing::FileText;
using testing::SourceFile;

DesignFile Example(const char* name) {
    const DesignFileReading reading = ReadDesignFileText(ExampleText(name));
    if (const auto* refusal = std::get_if<DesignFileRefusal>(&reading)) ADD_FAILURE() << name << ": " << refusal->Message();
    return std::holds_alternative<DesignFile>(reading) ? std::get<DesignFile>(reading) : DesignFile{};
}

TEST(DesignFileExamples, ReadAndWriteOutByteForByte) {
    for (const char* name : testing::kExampleFiles) {
        SCOPED_TRACE(name);
        EXPECT_EQ(DesignFileText(Example(name)), ExampleText(name));
    }
}

// ----------------------------------------------- the examples are real designs

template <std::size_t N>
const std::string& Typed(const DesignFile& file, const TextGroup<N>& group, std::string_view key) {
    const auto at = std::find(group.keys.begin(), group.keys.end(), key);
    return (file.*group.texts)[static_cast<std::size_t>(at - group.keys.begin())];
}

// The design record as the data screens fill it from the typed texts.
DesignRecord RecordOf(const DesignFile& file) {
    DesignRecord record;
    InitMaterialLists(record);
    record.initialYear = ParseInt16(Typed(file, kProjectTexts, "initialYear")).value();
    record.finalYear = ParseInt16(Typed(file, kProjectTexts, "finalYear")).value();
    record.initialAadt = ParseInt32(Typed(file, kProjectTexts, "initialTraffic")).value();
    record.finalAadt = ParseInt32(Typed(file, kProjectTexts, "finalTraffic")).value();
    record.truckPercent = ParseSingle(Typed(file, kProjectTexts, "truckPercent")).value();
    record.ldf = ParseSingle(Typed(file, kDesignDataTexts, "ldf")).value();
    record.terminalServiceability = ParseSingle(Typed(file, kDesignDataTexts, "terminalServiceability")).value();
    record.serviceabilityLoss = static_cast<float>(4.2 - record.terminalServiceability);
    record.soilSupport = ParseSingle(Typed(file, kDesignDataTexts, "soilSupport")).value();
    record.regionalFactor = ParseSingle(Typed(file, kDesignDataTexts, "regionalFactor")).value();
    record.singleUnitEsal = ParseSingle(Typed(file, kDesignDataTexts, "singleUnitEsal")).value();
    record.multiUnitEsal = ParseSingle(Typed(file, kDesignDataTexts, "multiUnitEsal")).value();
    record.esal18 = ParseSingle(Typed(file, kDesignDataTexts, "representativeEsal")).value();
    return record;
}

template <std::size_t N>
std::array<CourseEntry, N> Entries(const CourseRow* rows) {
    std::array<CourseEntry, N> entries;
    for (std::size_t k = 0; k < N; ++k) entries[k] = {rows[k].position, rows[k].thickness};
    return entries;
}

// The sheet the result screen would show for the file's courses.
std::optional<ResultSheet> Evaluated(const DesignFile& file, DesignRecord& record) {
    if (file.accepted->kind == StructureKind::FullDepth) {
        return EvaluateFullDepth(Entries<kFullDepthCourses>(file.fullDepth->data()), record);
    }
    return EvaluateOverlay(Entries<kOverlayCourses>(file.overlay->data()),
                           Entries<kExistingCourses>(file.overlay->data() + kOverlayCourses), record);
}

// The accepted sheets of the examples were worked out by hand (docs/design-file.md
// shows how); the program's own computation must give the same texts.
TEST(DesignFileExamples, HoldTheResultsTheProgramWorksOutForTheirData) {
    for (const char* name : testing::kExampleFiles) {
        SCOPED_TRACE(name);
        const DesignFile file = Example(name);
        ASSERT_TRUE(file.accepted.has_value());
        DesignRecord record = RecordOf(file);
        ASSERT_TRUE(ComputeRequiredSn(record));
        EXPECT_EQ(FormatNumber(record.designLoading, "###,###,###"), file.accepted->designLoading);
        const auto sheet = Evaluated(file, record);
        ASSERT_TRUE(sheet.has_value());
        EXPECT_EQ(sheet->requiredSn, file.accepted->sheet.requiredSn);
        EXPECT_EQ(sheet->rows, file.accepted->sheet.rows);
        EXPECT_EQ(sheet->proposedSn, file.accepted->sheet.proposedSn);
        EXPECT_EQ(sheet->difference, file.accepted->sheet.difference);
        EXPECT_EQ(sheet->verdict, file.accepted->sheet.verdict);
    }
}

// ------------------------------------------------------------ the documentation

TEST(DesignFileDocumentation, ShowsEachExampleFileAsItIs) {
    const std::string docs = FileText(SourceFile("docs/design-file.md"));
    ASSERT_FALSE(docs.empty());
    for (const char* name : testing::kExampleFiles) {
        SCOPED_TRACE(name);
        EXPECT_NE(docs.find("```json\n" + ExampleText(name) + "```\n"), std::string::npos);
    }
}

TEST(DesignFileDocumentation, DescribesEveryMemberAndMaterial) {
    const std::string docs = FileText(SourceFile("docs/design-file.md"));
    std::vector<std::string> paths{std::string(kFormatKey), std::string(kVersionKey), std::string(kStageKey),
                                   "designer." + std::string(kOfficeKey)};
    for (const TextMember& member : kMetaTexts) paths.push_back(std::string(member.key));
    const DesignFile empty;
    ForEachTypedText(empty, [&](std::string_view path, std::string_view key, const std::string&, bool) {
        paths.push_back(std::string(path) + "." + std::string(key));
    });
    for (const CourseList& list : kFullDepthLists) paths.push_back(std::string(kFullDepthKey) + "." + std::string(list.key));
    for (const CourseList& list : kOverlayLists) paths.push_back(std::string(kOverlayKey) + "." + std::string(list.key));
    for (std::string_view key : {kMaterialKey, kPositionKey, kThicknessKey}) paths.push_back(std::string(key));
    for (std::string_view key : {kStructureKey, kDesignLoadingKey, kRowsKey}) {
        paths.push_back(std::string(kAcceptedKey) + "." + std::string(key));
    }
    for (const SheetText& member : kSheetTexts) paths.push_back(std::string(kAcceptedKey) + "." + std::string(member.key));
    for (const StageName& stage : kStageNames) paths.push_back("\"" + std::string(stage.name) + "\"");
    for (const std::string& path : paths) {
        EXPECT_NE(docs.find("`" + path + "`"), std::string::npos) << path;
    }
    for (auto catalogue : {MaterialCatalogue::FullDepth, MaterialCatalogue::Overlay, MaterialCatalogue::Existing}) {
        for (const std::string& material : MaterialNames(catalogue)) {
            EXPECT_NE(docs.find(material), std::string::npos) << material;
        }
    }
}

}  // namespace
}  // namespace korvelle
