// Design files that keep alternatives (format 2): a design with random
// alternatives (names of any bytes, either kind, rows of any position of
// their lists or a material that is not the position's, thicknesses of any
// text) is written as format 2 exactly when it keeps one, reads back as
// itself (a material at the wrong position refused), and writes the same text
// again.  Its comparison holds every alternative in order, each evaluated and
// priced as CONTINUE and the courses' prices give, and sorts by every column
// in a strict weak order.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <variant>
#include <vector>

#include "core/quarter_inches.h"
#include "core/unit_costs.h"
#include "file/design_file.h"
#include "file/design_file_members.h"
#include "fuzz_support.h"
#include "valid_utf8.h"
#include "ui/alternatives.h"
#include "ui/design_rules.h"
#include "ui/unit_cost_file.h"

namespace {

using namespace korvelle;
using korvelle::fuzz::Check;
using korvelle::fuzz::Shown;
using korvelle::fuzz::ValidUtf8;

std::string PickText(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: return QuarterInchText(in.ConsumeIntegralInRange<int>(0, 64));
        case 1: return in.PickValueInArray({"", "A: ", "A", "B: mix", "0", "\xc3\xa9tude \xf0\x9f\x9b\xa3"});
        default: return in.ConsumeRandomLengthString(48);
    }
}

// Rows of an alternative as its lists allow, now and then a material that
// is not the one at its position.  True in `wrong` when one is not.
template <std::size_t Lists>
void PickRows(FuzzedDataProvider& in, const std::array<design_file::CourseList, Lists>& lists,
              std::vector<CourseRow>& rows, bool& wrong) {
    for (const auto& list : lists) {
        for (std::size_t r = 0; r < list.rows; ++r) {
            CourseRow& row = rows[list.firstRow + r];
            const auto& slice = r == 0 ? list.topList : list.lowerList;
            row.position = in.ConsumeIntegralInRange<int>(-1, slice.size() - 1);
            row.thickness = PickText(in);
            if (row.position >= 0) {
                row.material = std::string(MaterialNames(list.catalogue)[slice.MaterialAt(row.position) - 1]);
            }
            if (in.ConsumeIntegralInRange<int>(0, 31) == 0) {
                row.material = PickText(in);
                wrong = wrong || design_file::ListPosition(list, r, row.material).value_or(-1) != row.position ||
                        (row.material.empty() != (row.position < 0));
            }
        }
    }
}

void CheckOrder(const std::vector<AlternativeRow>& rows, AlternativeColumn column) {
    const auto before = [&](std::size_t a, std::size_t b) { return SortsBefore(rows[a], rows[b], column); };
    const auto tied = [&](std::size_t a, std::size_t b) { return !before(a, b) && !before(b, a); };
    for (std::size_t a = 0; a < rows.size(); ++a) {
        Check(!before(a, a), "no alternative sorts before itself", ColumnTitle(column));
        for (std::size_t b = 0; b < rows.size(); ++b) {
            for (std::size_t c = 0; c < rows.size(); ++c) {
                Check(!(before(a, b) && before(b, c)) || before(a, c), "the order is transitive", ColumnTitle(column));
                Check(!(tied(a, b) && tied(b, c)) || tied(a, c), "ties are transitive", ColumnTitle(column));
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    DesignFile file;
    bool wrong = false;
    bool utf8 = true;
    for (int n = in.ConsumeIntegralInRange<int>(0, 6); n > 0; --n) {
        Alternative alternative;
        alternative.name = PickText(in);
        alternative.kind = in.ConsumeBool() ? StructureKind::Overlay : StructureKind::FullDepth;
        if (alternative.kind == StructureKind::FullDepth) {
            alternative.rows.resize(kFullDepthCourses);
            PickRows(in, design_file::kFullDepthLists, alternative.rows, wrong);
        } else {
            alternative.rows.resize(kOverlayCourses + kExistingCourses);
            PickRows(in, design_file::kOverlayLists, alternative.rows, wrong);
        }
        utf8 = utf8 && ValidUtf8(alternative.name);
        for (const CourseRow& row : alternative.rows) utf8 = utf8 && ValidUtf8(row.thickness) && ValidUtf8(row.material);
        file.alternatives.push_back(std::move(alternative));
    }

    const std::string written = DesignFileText(file);
    const auto version = nlohmann::json::parse(written).at("version");
    Check(version == (file.alternatives.empty() ? 1 : 2), "format 2 exactly when alternatives are kept",
          version.dump());
    const DesignFileReading reading = ReadDesignFileText(written);
    const auto* refusal = std::get_if<DesignFileRefusal>(&reading);
    if (wrong) {
        Check(refusal != nullptr, "a material at the wrong position is refused", [&] { return Shown(written); });
        return 0;
    }
    if (refusal) {
        Check(wrong, "a design written out reads again", refusal->Message());
        return 0;
    }
    const DesignFile& read = std::get<DesignFile>(reading);
    const auto shown = [&] { return Shown(written); };
    Check(!utf8 || read == file, "a design written out reads as itself", shown);
    Check(DesignFileText(read) == written, "a design read writes the same text", shown);

    DesignRecord record;
    InitMaterialLists(record);
    record.requiredSn = in.ConsumeIntegralInRange<int>(0, 1200) / 100.0f;
    // Read once: the table is the same on every run.
    static const std::optional<UnitCostTable> table = [] {
        std::string error;
        auto shipped = ParseUnitCostTable(ShippedUnitCostTableText(), &error);
        Check(shipped.has_value(), "the shipped unit-cost table reads", error);
        return shipped;
    }();
    const bool priced = in.ConsumeBool();
    const std::vector<AlternativeRow> rows = CompareAlternatives(read.alternatives, record, priced ? &*table : nullptr);
    Check(rows.size() == read.alternatives.size(), "the comparison holds every alternative");
    for (std::size_t a = 0; a < rows.size(); ++a) {
        const Alternative& alternative = read.alternatives[a];
        const StructureRules& rules = RulesOf(alternative.kind);
        const std::vector<CourseEntry> entries = CourseEntries(alternative.rows);
        DesignRecord scratch = record;
        const auto evaluated = EvaluateStructure(rules, entries, scratch);
        const auto* evaluation = std::get_if<Evaluation>(&evaluated);
        Check(rows[a].line.name == alternative.name, "the comparison keeps the order kept",
              [&] { return Shown(alternative.name); });
        Check(rows[a].evaluated == (evaluation != nullptr), "an alternative is evaluated as CONTINUE evaluates it");
        if (evaluation) {
            Check(fuzz::Same(rows[a].proposedSn, evaluation->numbers.proposedSn) &&
                      rows[a].line.proposedSn == evaluation->sheet.proposedSn &&
                      rows[a].line.verdict == evaluation->sheet.verdict,
                  "an alternative shows CONTINUE's result");
        }
        const auto cost = priced && evaluation ? StructureCost(ToEvaluate(rules, entries), *table) : std::nullopt;
        Check(rows[a].cost == cost, "an alternative costs what its courses cost");
        for (int column = 0; column < kAlternativeColumns; ++column) {
            (void)CellText(rows[a], static_cast<AlternativeColumn>(column));
        }
    }
    for (int column = 0; column < kAlternativeColumns; ++column) CheckOrder(rows, static_cast<AlternativeColumn>(column));
    return 0;
}
