#include "unit_costs.h"

#include <algorithm>
#include <array>

#include "materials.h"
#include "number_format.h"
#include "number_text.h"
#include "quarter_inches.h"

namespace korvelle {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kFields = 4;
constexpr int kMostPriceDigits = 7;  // dollars before the point: under ten million
constexpr int kQuarterCentsPerCent = 4;
constexpr std::int64_t kCentsPerDollar = 100;

// Why a table is refused; the reader adds the line.
struct Refusal {
    int line = 0;
    std::string why;
};

std::string Whole(std::int64_t value) { return FormatNumber(value, "0"); }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The records of a CSV text, as RFC 4180 writes them: fields separated by
// commas, records by line ends; a field in double quotes may hold commas,
// line ends and doubled quotes.  Blanks around a field are dropped.
class CsvRecords {
public:
    explicit CsvRecords(std::string_view text) : text_(text) {}

    bool AtEnd() const { return at_ >= text_.size(); }
    int line() const { return line_; }

    // The next record and the line it starts on; a refusal when a quote is
    // misplaced or never closed.
    std::optional<Refusal> Next(std::vector<std::string>& fields, int& startLine) {
        fields.clear();
        startLine = line_;
        for (;;) {
            std::string field;
            SkipBlanks();
            if (Peek() == '"') {
                if (auto refusal = ReadQuoted(field)) return refusal;
                SkipBlanks();
            } else {
                while (!AtEnd() && Peek() != ',' && Peek() != '\n' && !AtLineEnd()) {
                    if (Peek() == '"') return Refusal{line_, "a quote inside a field that does not begin with one"};
                    field += text_[at_++];
                }
                while (!field.empty() && IsBlank(field.back())) field.pop_back();
            }
            fields.push_back(std::move(field));
            if (AtEnd()) return std::nullopt;
            if (Peek() == ',') {
                ++at_;
                continue;
            }
            if (!AtLineEnd()) return Refusal{line_, "text after the closing quote of a field"};
            at_ += Peek() == '\r' ? 2 : 1;
            ++line_;
            return std::nullopt;
        }
    }

private:
    char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
    bool AtLineEnd() const {
        return Peek() == '\n' || (Peek() == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n');
    }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Peek())) ++at_;
    }

    std::optional<Refusal> ReadQuoted(std::string& field) {
        const int opened = line_;
        ++at_;
        for (;;) {
            if (AtEnd()) return Refusal{opened, "a quoted field is not closed"};
            const char c = text_[at_++];
            if (c == '"') {
                if (Peek() != '"') return std::nullopt;
                ++at_;
            } else if (c == '\n') {
                ++line_;
            }
            field += c;
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 1;
};

// The material numbers a name stands for in the lists of the entry screens.
struct KnownMaterial {
    bool found = false;
    bool spreadRate = false;
};

KnownMaterial FindMaterial(std::string_view name) {
    if (name == kNoCourseName) return {};
    for (std::size_t i = 0; i < kFullDepthMaterialNames.size(); ++i) {
        if (kFullDepthMaterialNames[i] == name) {
            return {true, IsSpreadRate(MaterialList::FullDepth, static_cast<std::int16_t>(i + 1))};
        }
    }
    const bool existing =
        std::find(kExistingMaterialNames.begin(), kExistingMaterialNames.end(), name) != kExistingMaterialNames.end();
    return {existing, false};
}

// Dollars with at most two decimals, as cents.
std::optional<std::int64_t> PriceCents(std::string_view text) {
    const auto point = text.find('.');
    const std::string_view dollars = text.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    const bool digitsOnly = std::all_of(dollars.begin(), dollars.end(), IsDigit) &&
                            std::all_of(decimals.begin(), decimals.end(), IsDigit);
    if (!digitsOnly || dollars.empty() || dollars.size() > kMostPriceDigits || decimals.size() > 2 ||
        (point != std::string_view::npos && decimals.empty())) {
        return std::nullopt;
    }
    std::int64_t cents = 0;
    for (char c : dollars) cents = cents * 10 + (c - '0');
    for (std::size_t i = 0; i < 2; ++i) cents = cents * 10 + (i < decimals.size() ? decimals[i] - '0' : 0);
    return cents;
}

// A thickness field: whole quarter inches from 0.25 to the thickest course.
std::optional<int> ThicknessField(std::string_view what, const std::string& text, std::string& why) {
    if (text.empty()) {
        why = std::string(what) + " is empty";
        return std::nullopt;
    }
    const auto inches = ParseNumber(text);
    if (!inches) {
        why = std::string(what) + " " + Quoted(text) + " is not a number of inches";
        return std::nullopt;
    }
    const auto quarterInches = ExactQuarterInches(*inches);
    if (!quarterInches) {
        why = std::string(what) + " " + Quoted(text) + " is not a whole number of quarter inches";
    } else if (*quarterInches < 1) {
        why = std::string(what) + " " + Quoted(text) + " is less than 0.25 in.";
    } else if (*inches > kMaxCourseThickness) {
        why = std::string(what) + " " + Quoted(text) + " is more than " + FormatNumber(kMaxCourseThickness, "0.00") +
              " in.";
    } else {
        return quarterInches;
    }
    return std::nullopt;
}

// One line of the table as an entry; a refusal saying what is wrong.
std::optional<UnitCost> Entry(const std::vector<std::string>& fields, std::string& why) {
    if (fields.size() != kFields) {
        why = Whole(static_cast<std::int64_t>(kFields)) +
              " fields expected (material, dollars per square yard per inch, least thickness, greatest "
              "thickness), found " +
              Whole(static_cast<std::int64_t>(fields.size()));
        return std::nullopt;
    }
    UnitCost entry;
    entry.material = fields[0];
    if (entry.material.empty()) {
        why = "the material is empty";
        return std::nullopt;
    }
    const KnownMaterial known = FindMaterial(entry.material);
    if (!known.found) {
        why = Quoted(entry.material) + " is not a material of the entry screens' lists";
        return std::nullopt;
    }
    const auto cents = PriceCents(fields[1]);
    if (!cents) {
        why = "the price " + Quoted(fields[1]) + " is not dollars with at most two decimals";
        return std::nullopt;
    }
    entry.cents = *cents;
    entry.spreadRate = known.spreadRate;
    if (known.spreadRate) {
        if (!fields[2].empty() || !fields[3].empty()) {
            why = Quoted(entry.material) +
                  " is laid by spread rate and priced per square yard: its thickness fields must be empty";
            return std::nullopt;
        }
        return entry;
    }
    const auto least = ThicknessField("the least thickness", fields[2], why);
    if (!least) return std::nullopt;
    const auto greatest = ThicknessField("the greatest thickness", fields[3], why);
    if (!greatest) return std::nullopt;
    if (*least > *greatest) {
        why = "the least thickness " + Quoted(fields[2]) + " is more than the greatest " + Quoted(fields[3]);
        return std::nullopt;
    }
    entry.leastQuarterInches = *least;
    entry.greatestQuarterInches = *greatest;
    return entry;
}

bool IsBlankRecord(const std::vector<std::string>& fields) { return fields.size() == 1 && fields[0].empty(); }

std::optional<UnitCostTable> ReadTable(std::string_view text, Refusal& refusal) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    // The header: the first line that is not blank, exactly as written.
    int line = 1;
    for (;;) {
        const auto end = text.find('\n');
        std::string_view header = text.substr(0, end);
        if (!header.empty() && header.back() == '\r') header.remove_suffix(1);
        if (header.find_first_not_of(" \t") != std::string_view::npos) {
            if (header != kUnitCostHeader) {
                refusal = {line, "the table must begin with the header " + Quoted(kUnitCostHeader)};
                return std::nullopt;
            }
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            break;
        }
        if (end == std::string_view::npos) {
            refusal = {line, "the table is empty: the header " + Quoted(kUnitCostHeader) + " is missing"};
            return std::nullopt;
        }
        text.remove_prefix(end + 1);
        ++line;
    }

    UnitCostTable table;
    std::vector<int> lines;  // of the entries, for naming a material priced twice
    CsvRecords records(text);
    std::vector<std::string> fields;
    while (!records.AtEnd()) {
        int start = 0;
        if (auto bad = records.Next(fields, start)) {
            refusal = {line + bad->line, bad->why};
            return std::nullopt;
        }
        if (IsBlankRecord(fields)) continue;
        std::string why;
        auto entry = Entry(fields, why);
        if (entry) {
            if (const UnitCost* first = table.Find(entry->material)) {
                const auto index = static_cast<std::size_t>(first - table.entries.data());
                why = Quoted(entry->material) + " is priced twice (first on line " + Whole(lines[index]) + ")";
                entry.reset();
            }
        }
        if (!entry) {
            refusal = {line + start, why};
            return std::nullopt;
        }
        table.entries.push_back(std::move(*entry));
        lines.push_back(line + start);
    }
    return table;
}

}  // namespace

const UnitCost* UnitCostTable::Find(std::string_view material) const {
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [&](const UnitCost& e) { return e.material == material; });
    return entry == entries.end() ? nullptr : &*entry;
}

std::optional<UnitCostTable> ParseUnitCostTable(std::string_view csvText, std::string* error) {
    Refusal refusal;
    auto table = ReadTable(csvText, refusal);
    if (error) *error = table ? std::string() : "line " + Whole(refusal.line) + ": " + refusal.why;
    return table;
}

QuarterCents CourseCost(const UnitCost& cost, int quarterInches) {
    return cost.spreadRate ? cost.cents * kQuarterCentsPerCent : cost.cents * quarterInches;
}

bool IsPricedRow(const EnteredStructure& structure, int row) {
    const MaterialList list = RowList(structure, row);
    const std::int16_t m = MaterialInRow(structure, row);
    return list != MaterialList::Existing && m != 0 && !IsNoCourse(list, m);
}

std::string_view RowMaterialName(const EnteredStructure& structure, int row) {
    return MaterialName(RowList(structure, row), MaterialInRow(structure, row));
}

std::optional<QuarterCents> StructureCost(const EnteredStructure& structure, const UnitCostTable& table) {
    QuarterCents sum = 0;
    for (int row = 0; row < static_cast<int>(structure.rows.size()); ++row) {
        if (!IsPricedRow(structure, row)) continue;
        const UnitCost* cost = table.Find(RowMaterialName(structure, row));
        if (!cost) return std::nullopt;
        int quarterInches = 0;
        if (!cost->spreadRate) {
            const auto inches = CourseThickness(structure.rows[static_cast<std::size_t>(row)].thickness);
            const auto exact = inches ? ExactQuarterInches(*inches) : std::nullopt;
            if (!exact) return std::nullopt;
            quarterInches = *exact;
        }
        sum += CourseCost(*cost, quarterInches);
    }
    return sum;
}

std::string DollarText(QuarterCents cost) {
    // Whole cents, half a cent and more rounded up, as FormatNumber rounds.
    const std::int64_t cents = (cost + kQuarterCentsPerCent / 2) / kQuarterCentsPerCent;
    return "$" + FormatNumber(cents / kCentsPerDollar, "#,##0") + "." + FormatNumber(cents % kCentsPerDollar, "00");
}

std::string CostText(QuarterCents cost) { return DollarText(cost) + " per sq. yd."; }

}  // namespace korvelle
