// An agency's unit-cost table read from its CSV text: any bytes must give
// either a table whose every entry is well formed, or no table and one
// message naming a line of the text; a table read once reads the same when
// written out again, quoted.

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "core/materials.h"
#include "core/number_format.h"
#include "core/quarter_inches.h"
#include "core/structure_evaluation.h"
#include "core/unit_costs.h"
#include "fuzz_support.h"

namespace {

using namespace korvelle;
using korvelle::fuzz::Check;
using korvelle::fuzz::Shown;

bool IsListedMaterial(const std::string& name) {
    if (name == kNoCourseName) return false;
    return std::find(kFullDepthMaterialNames.begin(), kFullDepthMaterialNames.end(), name) !=
               kFullDepthMaterialNames.end() ||
           std::find(kExistingMaterialNames.begin(), kExistingMaterialNames.end(), name) !=
               kExistingMaterialNames.end();
}

std::string QuotedField(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string Dollars(std::int64_t cents) {
    return FormatNumber(cents / 100, "0") + "." + FormatNumber(cents % 100, "00");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto table = ParseUnitCostTable(text, &error);
    if (!table) {
        const auto lines = static_cast<std::int64_t>(std::count(text.begin(), text.end(), '\n')) + 1;
        std::int64_t line = 0;
        const bool named = error.rfind("line ", 0) == 0 && error.find(": ") != std::string::npos;
        if (named) line = std::stoll(error.substr(5, error.find(": ") - 5));
        Check(named && line >= 1 && line <= lines, "a refused table names one of its lines", Shown(error));
        return 0;
    }
    Check(error.empty(), "a table read has no message", Shown(error));
    std::set<std::string> materials;
    std::string written = std::string(kUnitCostHeader) + "\r\n";
    for (const UnitCost& entry : table->entries) {
        const std::string where = Shown(entry.material);
        Check(IsListedMaterial(entry.material), "a priced material is one of the entry screens' lists", where);
        Check(materials.insert(entry.material).second, "each material is priced once", where);
        Check(entry.cents >= 0, "a price is not negative", where);
        if (entry.spreadRate) {
            Check(entry.leastQuarterInches == 0 && entry.greatestQuarterInches == 0,
                  "a spread-rate course has no thickness", where);
        } else {
            Check(entry.leastQuarterInches >= 1 && entry.leastQuarterInches <= entry.greatestQuarterInches &&
                      entry.greatestQuarterInches <= kMostQuarterInches,
                  "a range is whole quarter inches from 0.25 to the thickest course", where);
        }
        Check(CostText(CourseCost(entry, entry.greatestQuarterInches)).rfind("$", 0) == 0, "a cost shows dollars",
              where);
        written += QuotedField(entry.material) + "," + Dollars(entry.cents) + ",";
        if (!entry.spreadRate) {
            written += QuarterInchText(entry.leastQuarterInches) + "," + QuarterInchText(entry.greatestQuarterInches);
        } else {
            written += ",";
        }
        written += "\r\n";
    }
    std::string again;
    const auto reread = ParseUnitCostTable(written, &again);
    Check(reread.has_value() && reread->entries.size() == table->entries.size(), "a table written out reads again",
          Shown(again));
    for (std::size_t i = 0; i < table->entries.size(); ++i) {
        const UnitCost& a = table->entries[i];
        const UnitCost& b = reread->entries[i];
        Check(a.material == b.material && a.cents == b.cents && a.spreadRate == b.spreadRate &&
                  a.leastQuarterInches == b.leastQuarterInches && a.greatestQuarterInches == b.greatestQuarterInches,
              "a table written out reads as itself", Shown(a.material));
    }
    return 0;
}
