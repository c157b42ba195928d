#include "alternatives_report.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

#include "core/number_format.h"
#include "core/utf8.h"
#include "design_report.h"

namespace korvelle {

namespace {

constexpr std::array<AlternativeColumn, kAlternativeColumns> kColumns = {
    AlternativeColumn::Name,       AlternativeColumn::Kind,       AlternativeColumn::Courses, AlternativeColumn::Thickness,
    AlternativeColumn::ProposedSn, AlternativeColumn::Difference, AlternativeColumn::Cost};

// Numbers stand right in their columns, texts left.
bool RightAligned(AlternativeColumn column) {
    return column == AlternativeColumn::Thickness || column == AlternativeColumn::ProposedSn ||
           column == AlternativeColumn::Cost;
}

// "-2.5": the signed difference the window sorts by, to a tenth of a percent.
std::string PercentText(double percent) { return FormatNumber(percent, "0.0"); }

}  // namespace

std::vector<std::string> AlternativesLines(const std::vector<AlternativeRow>& rows) {
    std::vector<std::array<std::string, kAlternativeColumns>> cells(rows.size() + 1);
    std::array<std::size_t, kAlternativeColumns> widths{};
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
        cells[0][c] = std::string(ColumnTitle(kColumns[c]));
        for (std::size_t r = 0; r < rows.size(); ++r) cells[r + 1][c] = Escaped(CellText(rows[r], kColumns[c]));
        for (const auto& line : cells) widths[c] = std::max(widths[c], Utf8Length(line[c]));
    }
    std::vector<std::string> lines;
    for (const auto& line : cells) {
        std::string text;
        for (std::size_t c = 0; c < kColumns.size(); ++c) {
            const std::string padding(widths[c] - Utf8Length(line[c]), ' ');
            if (c > 0) text += "  ";
            text += RightAligned(kColumns[c]) ? padding + line[c] : line[c] + padding;
        }
        text.erase(text.find_last_not_of(' ') + 1);
        lines.push_back(std::move(text));
    }
    return lines;
}

std::string AlternativesJson(const std::string& file, const std::string& requiredSn,
                             const std::vector<AlternativeRow>& rows) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const AlternativeRow& row : rows) {
        const ComparisonLine& line = row.line;
        nlohmann::ordered_json object;
        object["name"] = line.name;
        object["kind"] = line.kind;
        object["courses"] = line.courses;
        object["totalThickness"] = line.totalThickness;
        object["proposedSn"] = row.evaluated ? nlohmann::ordered_json(line.proposedSn) : nlohmann::ordered_json();
        object["differencePercent"] =
            row.evaluated ? nlohmann::ordered_json(PercentText(row.differencePercent)) : nlohmann::ordered_json();
        object["verdict"] = line.verdict;
        object["cost"] = row.cost ? nlohmann::ordered_json(CostAmount(*row.cost)) : nlohmann::ordered_json();
        list.push_back(std::move(object));
    }
    nlohmann::ordered_json answer;
    answer["file"] = file;
    answer["requiredSn"] = requiredSn;
    answer["alternatives"] = std::move(list);
    return answer.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string AlternativesCsvHeader() {
    return "file,required SN,name,kind,courses,total thickness,proposed SN,difference percent,verdict,cost";
}

std::string AlternativesCsv(const std::string& file, const std::string& requiredSn, const AlternativeRow& row) {
    const ComparisonLine& line = row.line;
    const std::string percent = row.evaluated ? PercentText(row.differencePercent) : std::string();
    const std::string cost = row.cost ? CostAmount(*row.cost) : std::string();
    std::string text;
    for (const std::string* field : {&file, &requiredSn, &line.name, &line.kind, &line.courses, &line.totalThickness,
                                     &line.proposedSn, &percent, &line.verdict, &cost}) {
        if (field != &file) text += ',';
        text += CsvField(*field);
    }
    return text;
}

}  // namespace korvelle
