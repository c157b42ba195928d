#include "ui/county_table.h"

#include "core/number_format.h"
#include "ui/data_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>

namespace korvelle {

namespace {

std::string Whole(int value) { return FormatNumber(static_cast<std::int32_t>(value), "0"); }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool IsCountyValueText(std::string_view text) {
    return text.size() == 3 && IsDigit(text[0]) && text[1] == '.' && IsDigit(text[2]);
}

std::optional<std::vector<CountyEntry>> ParseCountyTable(std::string_view csvText, std::string* error) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (csvText.substr(0, kByteOrderMark.size()) == kByteOrderMark) csvText.remove_prefix(kByteOrderMark.size());

    std::vector<CountyEntry> table;
    int lineNumber = 0;
    auto fail = [&](const std::string& why) -> std::optional<std::vector<CountyEntry>> {
        if (error) *error = "line " + Whole(lineNumber) + ": " + why;
        return std::nullopt;
    };
    while (!csvText.empty()) {
        ++lineNumber;
        const auto end = csvText.find('\n');
        std::string_view line = csvText.substr(0, end);
        csvText.remove_prefix(end == std::string_view::npos ? csvText.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        const std::string_view content = TrimBlanks(line);
        if (content.empty() || content.front() == '#') continue;

        std::vector<std::string_view> fields;
        for (std::size_t start = 0;;) {
            const auto comma = content.find(',', start);
            const auto length = comma == std::string_view::npos ? comma : comma - start;
            fields.push_back(TrimBlanks(content.substr(start, length)));
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
        if (fields.size() != 3) {
            return fail("3 fields expected (name, soil support, regional factor), found " +
                        Whole(static_cast<int>(fields.size())));
        }
        if (fields[0].empty()) return fail("the county name is empty");
        if (!IsCountyValueText(fields[1])) {
            return fail("soil support " + Quoted(fields[1]) + " is not one digit, a point and one digit");
        }
        if (!IsCountyValueText(fields[2])) {
            return fail("regional factor " + Quoted(fields[2]) + " is not one digit, a point and one digit");
        }
        table.push_back({std::string(fields[0]), std::string(fields[1]), std::string(fields[2])});
    }
    if (error) error->clear();
    return table;
}

namespace {

// The table read from its text; a table of no counties is no table either:
// the worksheet would have nothing to offer.
std::optional<std::vector<CountyEntry>> ReadCountyTable(std::string_view text, std::string& why) {
    auto table = ParseCountyTable(text, &why);
    if (table && table->empty()) {
        why = "the table holds no county";
        return std::nullopt;
    }
    return table;
}

}  // namespace

std::optional<std::vector<CountyEntry>> LoadCountyTable(const char* file, std::string* error) {
    std::string why;
    std::optional<std::vector<CountyEntry>> table;
    if (file == nullptr || *file == '\0') {
        table = ReadCountyTable(ShippedCountyTableText(), why);
    } else {
        if (const std::optional<std::string> text = ReadDataFile(file, why)) table = ReadCountyTable(*text, why);
        if (!table) why = std::string(file) + ": " + why;
    }
    if (error) *error = table ? std::string() : why;
    return table;
}

std::string CountyTableUnreadableMessage(std::string_view reason) {
    return "The county table cannot be read, and the program ends: " + std::string(reason);
}

}  // namespace korvelle
