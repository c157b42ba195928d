#include "design_report.h"

#include <cctype>
#include <nlohmann/json.hpp>

#include "core/number_format.h"
#include "core/utf8.h"

namespace korvelle {

namespace {

// "Required SN" reads "required SN" inside a line; a name in capitals
// ("COURSE 3 material") stays as it is.
std::string InLine(const std::string& what) {
    std::string text = what;
    if (text.size() > 1 && std::isupper(static_cast<unsigned char>(text[0])) &&
        std::islower(static_cast<unsigned char>(text[1]))) {
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    }
    return text;
}

}  // namespace

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Escaped(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(text.size());
    for (std::string_view character : Utf8Characters(text)) {
        const auto byte = static_cast<unsigned char>(character[0]);
        if (character.size() == 1 && (byte < 0x20 || byte == 0x7F || byte >= 0x80)) {
            switch (byte) {
                case '\n': shown += "\\n"; break;
                case '\t': shown += "\\t"; break;
                case '\r': shown += "\\r"; break;
                default: shown += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xF]; break;
            }
        } else if (HoldsControlCharacter(character)) {  // U+0080 to U+009F
            const auto second = static_cast<unsigned char>(character[1]);
            shown += std::string("\\u00") + kHex[second >> 4] + kHex[second & 0xF];
        } else if (character == "\\") {
            shown += "\\\\";
        } else {
            shown += character;
        }
    }
    return shown;
}

bool HoldsRequiredSn(const DesignFile& design) { return design.stage >= DesignStage::DesignerInformation; }

std::vector<CourseEntry> StructureRows(const DesignFile& design, StructureKind kind) {
    if (kind == StructureKind::Overlay) {
        return design.overlay ? CourseEntries(*design.overlay) : std::vector<CourseEntry>{};
    }
    return design.fullDepth ? CourseEntries(*design.fullDepth) : std::vector<CourseEntry>{};
}

std::string CostAmount(QuarterCents cost) {
    // A count of quarter cents over 400 is a decimal of at most four places,
    // which FormatNumber rounds to the cent half up, as CostText does.
    constexpr double kQuarterCentsPerDollar = 400.0;
    return FormatNumber(static_cast<double>(cost) / kQuarterCentsPerDollar, "0.00");
}

DesignSummary Summarize(const std::string& file, const DesignFile& design, const CheckedDesign& checked,
                        const UnitCostTable& costs) {
    DesignSummary summary{file, design.project[0], kNothing, kNothing, kNothing, kNothing, kNothing, kNothing,
                          std::nullopt};
    if (HoldsRequiredSn(design)) {
        summary.designLoading = FormatNumber(checked.record.designLoading, kDesignLoadingPattern);
        summary.requiredSn = FormatNumber(checked.record.requiredSn, "0.00");
    }
    if (const std::optional<AcceptedStructure>& accepted = checked.accepted) {
        summary.structure = accepted->kind == StructureKind::Overlay ? "overlay" : "full-depth";
        summary.designLoading = accepted->designLoading;
        summary.requiredSn = accepted->sheet.requiredSn;
        summary.proposedSn = accepted->sheet.proposedSn;
        summary.difference = accepted->sheet.difference;
        summary.verdict = accepted->sheet.verdict;
        summary.stale = !accepted->current;
        const std::vector<CourseEntry> rows = StructureRows(design, accepted->kind);
        if (accepted->current && !rows.empty()) {
            summary.cost = StructureCost(ToEvaluate(RulesOf(accepted->kind), rows), costs);
        }
    }
    return summary;
}

std::string SummaryLine(const DesignSummary& s) {
    std::string line = Escaped(s.file) + ": project " + (s.projectNumber.empty() ? std::string("(blank)") : Escaped(s.projectNumber)) +
                       ", design loading " + s.designLoading + ", required SN " + s.requiredSn + ", ";
    if (s.structure == kNothing) return line + "structure -";
    line += s.structure + ", proposed SN " + s.proposedSn + ", " + s.difference + " " + s.verdict;
    if (s.cost) line += ", " + CostText(*s.cost);
    return s.stale ? line + " (stale)" : line;
}

std::string SummaryJson(const DesignSummary& s) {
    auto value = [](const std::string& text) { return text == kNothing ? nlohmann::json() : nlohmann::json(text); };
    nlohmann::ordered_json object;
    object["file"] = s.file;
    object["projectNumber"] = s.projectNumber;
    object["designLoading"] = value(s.designLoading);
    object["requiredSn"] = value(s.requiredSn);
    object["structure"] = value(s.structure);
    object["proposedSn"] = value(s.proposedSn);
    object["difference"] = value(s.difference);
    object["verdict"] = value(s.verdict);
    object["current"] = s.structure == kNothing ? nlohmann::json() : nlohmann::json(!s.stale);
    object["cost"] = s.cost ? nlohmann::json(CostAmount(*s.cost)) : nlohmann::json();
    return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string SummaryCsvHeader() {
    return "file,project,design loading,required SN,structure,proposed SN,difference,verdict,cost";
}

std::string SummaryCsv(const DesignSummary& s) {
    std::string row;
    // A stale acceptance's verdict says so.
    const std::string verdict = s.stale ? s.verdict + " (stale)" : s.verdict;
    const std::string cost = s.cost ? CostAmount(*s.cost) : std::string(kNothing);
    for (const std::string* field : {&s.file, &s.projectNumber, &s.designLoading, &s.requiredSn, &s.structure,
                                     &s.proposedSn, &s.difference, &verdict, &cost}) {
        if (!row.empty() || field != &s.file) row += ',';
        row += *field == kNothing ? std::string() : CsvField(*field);
    }
    return row;
}

std::string CheckLine(const std::string& file, const ResultDifference& difference) {
    auto shown = [](const std::string& text) { return text.empty() ? std::string("(blank)") : text; };
    return Escaped(file) + ": " + InLine(difference.what) + " saved " + Escaped(shown(difference.saved)) + ", now " +
           Escaped(shown(difference.now));
}

std::string CheckTotals(int same, int differ, int refused, int stale) {
    const int all = same + differ + refused + stale;
    return std::to_string(all) + (all == 1 ? " design: " : " designs: ") + std::to_string(same) + " same, " +
           std::to_string(differ) + " differ, " + (stale > 0 ? std::to_string(stale) + " stale, " : std::string()) +
           std::to_string(refused) + " refused";
}

}  // namespace korvelle
