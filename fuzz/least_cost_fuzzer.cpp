// The least-cost search on a structure, ranges, prices and a required SN
// from the input (rows of any position, gaps and thicknesses of any text
// included): a structure found meets the required SN by CONTINUE's own
// evaluation, keeps every row the search does not size, sizes the others
// within their ranges and costs what its courses cost; no structure it passed
// over (each sized row a quarter inch thinner, and random ones in the ranges)
// both meets the SN and comes first in its order (cost, total thickness,
// course 1, course 2, ...); a refusal Unreachable means the thickest
// structure in the ranges fails too; the same input gives the same answer.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/least_cost.h"
#include "core/materials.h"
#include "core/quarter_inches.h"
#include "fuzz_support.h"

namespace {

using namespace korvelle;
using korvelle::fuzz::Check;

using Ranges = std::vector<std::optional<ThicknessRange>>;
using Thicknesses = std::vector<std::optional<int>>;  // quarter inches of the sized rows

std::string PickThickness(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: return "";
        case 1: return QuarterInchText(in.ConsumeIntegralInRange<int>(0, 64));
        case 2: return in.PickValueInArray({"0", "-1", "x", "1e9", "1000.25", "0.1"});
        default: return in.ConsumeRandomLengthString(8);
    }
}

EnteredStructure PickStructure(FuzzedDataProvider& in) {
    EnteredStructure structure;
    structure.overlay = in.ConsumeBool();
    structure.rows.resize(structure.overlay ? kOverlayScreenRows : kFullDepthRows);
    for (CourseEntry& row : structure.rows) {
        row.position = in.ConsumeIntegralInRange<int>(-2, 12);
        row.thickness = PickThickness(in);
    }
    return structure;
}

// Mostly small ranges, so that a search stays quick; now and then one from
// the thinnest course to the thickest, or an empty or impossible one.
std::optional<ThicknessRange> PickRange(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 15)) {
        case 0: return std::nullopt;
        case 1: return ThicknessRange{in.ConsumeIntegralInRange<int>(-1, 4002), in.ConsumeIntegralInRange<int>(-1, 4002)};
        case 2: return ThicknessRange{1, kMostQuarterInches};
        default: {
            const int least = in.ConsumeIntegralInRange<int>(1, 48);
            return ThicknessRange{least, least + in.ConsumeIntegralInRange<int>(0, 12)};
        }
    }
}

UnitCostTable PickTable(FuzzedDataProvider& in) {
    UnitCostTable table;
    auto price = [&](MaterialList list, std::int16_t material) {
        if (in.ConsumeIntegralInRange<int>(0, 15) == 0) return;  // not priced
        UnitCost cost{std::string(MaterialName(list, material)), in.ConsumeIntegralInRange<std::int64_t>(0, 2000),
                      IsSpreadRate(list, material), 0, 0};
        if (!cost.spreadRate) {
            cost.leastQuarterInches = in.ConsumeIntegralInRange<int>(1, 16);
            cost.greatestQuarterInches = cost.leastQuarterInches + in.ConsumeIntegralInRange<int>(0, 48);
        }
        table.entries.push_back(cost);
    };
    for (std::int16_t m = 1; m < fulldepth::kNoCourse; ++m) price(MaterialList::FullDepth, m);
    return table;
}

// The order among structures: cost, total thickness, then course by course.
std::vector<std::int64_t> OrderKey(QuarterCents cost, const Thicknesses& sized) {
    std::vector<std::int64_t> key{cost, 0};
    for (const auto& quarters : sized) {
        if (quarters) {
            key[1] += *quarters;
            key.push_back(*quarters);
        }
    }
    return key;
}

// Whether a structure with these sized rows meets the required SN, and its
// order key; nothing when it cannot be evaluated or priced.
std::optional<std::vector<std::int64_t>> MeetingKey(EnteredStructure structure, const Thicknesses& sized,
                                                    const UnitCostTable& table, DesignRecord record) {
    for (std::size_t row = 0; row < sized.size(); ++row) {
        if (sized[row]) structure.rows[row].thickness = QuarterInchText(*sized[row]);
    }
    const auto evaluation = Evaluate(structure, record);
    const auto cost = StructureCost(structure, table);
    if (!evaluation || !cost || evaluation->sheet.verdict == kUnderdesign) return std::nullopt;
    return OrderKey(*cost, sized);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const EnteredStructure structure = PickStructure(in);
    Ranges ranges(structure.rows.size());
    for (auto& range : ranges) range = PickRange(in);
    const UnitCostTable table = PickTable(in);
    DesignRecord record;
    InitMaterialLists(record);
    record.requiredSn = in.ConsumeBool() ? in.ConsumeFloatingPointInRange<float>(0.0f, 12.0f)
                                         : in.ConsumeIntegralInRange<int>(-1, 1200) / 100.0f;
    const DesignRecord before = record;

    const LeastCostStructure answer = FindLeastCostStructure(structure, ranges, table, record);
    Check(fuzz::FirstDifference(record, before).empty(), "the search changes nothing in the record");
    const LeastCostStructure again = FindLeastCostStructure(structure, ranges, table, record);
    Check(again.refusal == answer.refusal && again.row == answer.row && again.quarterInches == answer.quarterInches &&
              again.cost == answer.cost && fuzz::Same(again.proposedSn, answer.proposedSn),
          "the same input gives the same answer");
    if (answer.refusal && answer.refusal != LeastCostRefusal::Unreachable) return 0;

    Check(answer.structure.rows.size() == structure.rows.size() && answer.quarterInches.size() == structure.rows.size(),
          "the answer has the structure's rows");
    for (std::size_t row = 0; row < structure.rows.size(); ++row) {
        const auto& quarters = answer.quarterInches[row];
        const bool sized = IsSizedRow(structure, static_cast<int>(row));
        Check(answer.structure.rows[row].position == structure.rows[row].position, "every material is kept");
        Check(quarters.has_value() == sized, "exactly the sized rows are sized");
        if (!sized) {
            Check(answer.structure.rows[row].thickness == structure.rows[row].thickness, "a row not sized is kept");
        } else {
            Check(ranges[row] && *quarters >= ranges[row]->least && *quarters <= ranges[row]->greatest,
                  "a sized row lies within its range", answer.structure.rows[row].thickness);
        }
    }
    const auto meets = MeetingKey(structure, answer.quarterInches, table, record);
    if (answer.refusal) {
        for (std::size_t row = 0; row < ranges.size(); ++row) {
            Check(!answer.quarterInches[row] || *answer.quarterInches[row] == ranges[row]->greatest,
                  "an unreachable SN is shown with the thickest structure");
        }
        Check(!meets, "an unreachable SN is not met by the thickest structure");
    } else {
        Check(meets.has_value(), "the structure found meets the required SN");
        Check(answer.evaluation && answer.evaluation->sheet.verdict != kUnderdesign,
              "the structure found is shown meeting the required SN");
        Check(StructureCost(answer.structure, table) == answer.cost, "the cost is what the courses cost");
    }
    // Structures passed over: each sized row a quarter inch thinner, then a
    // few anywhere in the ranges.
    std::vector<Thicknesses> others;
    for (std::size_t row = 0; row < ranges.size(); ++row) {
        if (answer.quarterInches[row] && *answer.quarterInches[row] > ranges[row]->least) {
            others.push_back(answer.quarterInches);
            --*others.back()[row];
        }
    }
    for (int n = in.ConsumeIntegralInRange<int>(0, 6); n > 0; --n) {
        others.push_back(answer.quarterInches);
        for (std::size_t row = 0; row < ranges.size(); ++row) {
            if (answer.quarterInches[row]) {
                others.back()[row] = in.ConsumeIntegralInRange<int>(ranges[row]->least, ranges[row]->greatest);
            }
        }
    }
    for (const Thicknesses& other : others) {
        const auto key = MeetingKey(structure, other, table, record);
        Check(!key || (meets && *meets <= *key), "no structure passed over meets the SN and comes first", [&] {
            const auto shown = [](const auto& list) {
                std::string text;
                for (const auto& value : list) text += (value ? std::to_string(*value) : std::string("-")) + " ";
                return text;
            };
            const auto keyText = [](const auto& k) {
                std::string text;
                if (!k) return std::string("none");
                for (auto v : *k) text += std::to_string(v) + " ";
                return text;
            };
            return "required SN " + std::to_string(record.requiredSn) + "; found " + shown(answer.quarterInches) +
                   "(key " + keyText(meets) + ", refusal " + std::to_string(answer.refusal ? int(*answer.refusal) : -1) +
                   "); passed over " + shown(other) + "(key " + keyText(key) + ")";
        });
    }
    return 0;
}
