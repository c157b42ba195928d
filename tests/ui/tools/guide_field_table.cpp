// The designer's guide's table of fields, units and normal ranges, written
// from the program's own field rules, so that the guide cannot drift from
// what the screens check.
//   guide_field_table               the table, to standard output
//   guide_field_table --check GUIDE  exit 1 unless GUIDE holds exactly it
//   guide_field_table --write GUIDE  puts it into GUIDE between the marks
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/design_record.h"
#include "ui/field_rules.h"
#include "ui/help_topics.h"

namespace korvelle {
namespace {

constexpr std::string_view kBegin = "<!-- fields begin -->\n";
constexpr std::string_view kEnd = "<!-- fields end -->\n";

struct ScreenFields {
    ScreenId screen;
    std::vector<const FieldRule*> fields;
};

std::vector<ScreenFields> Screens() {
    auto list = [](std::span<const FieldRule* const> span) {
        return std::vector<const FieldRule*>(span.begin(), span.end());
    };
    std::vector<const FieldRule*> designer = list(DesignerInformationFields());
    designer.insert(designer.begin() + 1, &fields::kDesignDate);  // shown between the name and the comments
    return {{ScreenId::ProjectInformation, list(ProjectInformationFields())},
            {ScreenId::DesignData, list(DesignDataFields())},
            {ScreenId::DesignerInformation, designer},
            {ScreenId::EsalWorksheet, {&fields::kEsalWorksheetEntry}},
            {ScreenId::LdfWorksheet, {&fields::kLdfWorksheetEntry}}};
}

std::string Cell(std::string_view text) {
    std::string cell;
    for (char c : text) {
        if (c == '|') cell += '\\';
        cell += c;
    }
    return cell;
}

// The caption of the field whose value a limit held in the record is.
std::string HeldBy(const Limit& limit) {
    for (const FieldRule* rule : DesignDataFields()) {
        if (auto* target = std::get_if<float DesignRecord::*>(&rule->target); target && *target == limit.field) {
            return std::string(rule->caption);
        }
    }
    return "?";
}

std::string NormalRange(const FieldRule& rule) {
    if (!rule.numeric()) return "";
    if (!rule.normalRange.empty()) return std::string(rule.normalRange);
    // Limits held in the record: the values the screens start with, and
    // where they come from.
    const DesignRecord start;
    return "from " + HeldBy(rule.lower) + " to " + HeldBy(rule.upper) + " (" + NormalRangeText(rule, start) +
           " at first)";
}

std::string Refused(const FieldRule& rule) {
    std::string refused;
    if (rule.mustBePositive) refused = "0 or less";
    if (rule.mostPossible != std::numeric_limits<double>::infinity()) {
        std::ostringstream most;
        most << rule.mostPossible;
        refused += (refused.empty() ? "" : ", ") + std::string("above ") + most.str();
    }
    return refused;
}

std::string Table() {
    std::ostringstream out;
    out << "| screen | field | what it holds, in what unit | normal range | refused | most characters |\n"
        << "| --- | --- | --- | --- | --- | --- |\n";
    for (const ScreenFields& screen : Screens()) {
        for (const FieldRule* rule : screen.fields) {
            out << "| " << Cell(HelpHeading(screen.screen)) << " | " << Cell(rule->caption) << " | "
                << Cell(rule->numeric() ? rule->hint : "text") << " | " << Cell(NormalRange(*rule)) << " | "
                << Cell(Refused(*rule)) << " | " << (rule->maxLength > 0 ? std::to_string(rule->maxLength) : "")
                << " |\n";
        }
    }
    return out.str();
}

}  // namespace
}  // namespace korvelle

int main(int argc, char** argv) {
    const std::string table = korvelle::Table();
    if (argc == 1) {
        std::cout << table;
        return 0;
    }
    const std::string mode = argv[1];
    if (argc != 3 || (mode != "--check" && mode != "--write")) {
        std::cerr << "usage: guide_field_table [--check GUIDE | --write GUIDE]\n";
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    std::stringstream read;
    read << in.rdbuf();
    std::string guide = read.str();
    const auto begin = guide.find(korvelle::kBegin);
    const auto end = guide.find(korvelle::kEnd);
    if (!in || begin == std::string::npos || end == std::string::npos || end < begin) {
        std::cerr << argv[2] << ": no marks " << korvelle::kBegin << " and " << korvelle::kEnd;
        return 1;
    }
    const auto from = begin + korvelle::kBegin.size();
    if (mode == "--check") {
        if (guide.compare(from, end - from, table) == 0) return 0;
        std::cerr << argv[2] << ": the table of fields differs from the field rules; the rules give:\n" << table
                  << "(guide_field_table --write " << argv[2] << " puts it in place)\n";
        return 1;
    }
    guide.replace(from, end - from, table);
    std::ofstream(argv[2], std::ios::binary) << guide;
    return 0;
}
