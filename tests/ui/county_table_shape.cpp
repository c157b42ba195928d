#include "ui/county_table_shape.h"

#include "core/number_format.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

namespace korvelle {

namespace {

constexpr std::size_t kEntryCount = 176;
constexpr std::size_t kMaxCountyNameLength = 13;
constexpr std::size_t kMaxNameLength = 22;

// Number of entries carrying each (soil support, regional factor) pair.  The
// numbers per soil support value and per regional factor are their sums.
struct PairCount {
    std::string_view soilSupport;
    std::string_view regionalFactor;
    int entries;
};
constexpr std::array<PairCount, 22> kPairCounts{{
    {"2.0", "1.6", 2},  {"2.0", "1.8", 3},  {"2.0", "2.0", 3},                                         //
    {"2.5", "1.5", 1},  {"2.5", "1.6", 11}, {"2.5", "1.8", 10}, {"2.5", "2.0", 12}, {"2.5", "2.2", 12},  //
    {"2.5", "2.4", 1},                                                                                  //
    {"3.0", "1.5", 7},  {"3.0", "1.6", 23}, {"3.0", "1.8", 14}, {"3.0", "2.0", 5},  {"3.0", "2.4", 1},   //
    {"3.5", "1.4", 9},  {"3.5", "1.5", 12}, {"3.5", "1.6", 6},                                         //
    {"4.0", "1.4", 19}, {"4.0", "1.5", 3},  {"4.0", "1.6", 13}, {"4.0", "1.7", 8},                      //
    {"4.5", "1.6", 1},
}};

// Entries whose values are fixed by their place in the list (0-based).
struct FixedEntry {
    std::size_t position;
    std::string_view soilSupport;
    std::string_view regionalFactor;
};
constexpr std::array<FixedEntry, 8> kFixedEntries{{
    {0, "4.0", "1.6"},
    {1, "4.0", "1.6"},
    {2, "4.0", "1.6"},
    {3, "4.0", "1.5"},
    {4, "3.0", "1.6"},
    {5, "3.0", "2.0"},
    {6, "2.5", "1.8"},
    {7, "2.5", "2.0"},
}};
constexpr std::string_view kLastSoilSupport = "3.5";
constexpr std::string_view kLastRegionalFactor = "1.4";

// The ways a county may be divided, its parts in list order.
const std::vector<std::vector<std::string_view>>& Divisions() {
    static const std::vector<std::vector<std::string_view>> divisions{
        {"north", "south"},
        {"northwest", "southeast"},
        {"east", "west"},
        {"east", "west/central"},
        {"west", "east/central"},
        {"northwest", "central", "southeast"},
    };
    return divisions;
}

bool IsPartName(std::string_view part) {
    for (const auto& division : Divisions()) {
        if (std::find(division.begin(), division.end(), part) != division.end()) return true;
    }
    return false;
}

std::string Whole(int value) { return FormatNumber(static_cast<std::int32_t>(value), "0"); }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Capital letters with single blanks between words.
bool IsCountyName(std::string_view county) {
    if (county.empty() || county.size() > kMaxCountyNameLength) return false;
    if (county.front() == ' ' || county.back() == ' ') return false;
    for (std::size_t i = 0; i < county.size(); ++i) {
        const char c = county[i];
        if (c == ' ') {
            if (county[i + 1] == ' ') return false;
        } else if (c < 'A' || c > 'Z') {
            return false;
        }
    }
    return true;
}

// An entry's name taken apart: "ALLENBY (north)" is the county "ALLENBY" and
// the part "north"; a whole county has no part.
struct NameParts {
    std::string_view county;
    std::optional<std::string_view> part;
};

NameParts SplitName(std::string_view name) {
    const auto open = name.rfind(" (");
    if (open == std::string_view::npos || name.empty() || name.back() != ')') return {name, std::nullopt};
    return {name.substr(0, open), name.substr(open + 2, name.size() - open - 3)};
}

std::string NameFault(std::string_view name) {
    if (name.size() > kMaxNameLength) {
        return "name " + Quoted(name) + " is longer than " + Whole(static_cast<int>(kMaxNameLength)) +
               " characters";
    }
    const NameParts parts = SplitName(name);
    if (!IsCountyName(parts.county)) {
        return "name " + Quoted(name) + " does not start with a county name of capital letters and blanks, at most " +
               Whole(static_cast<int>(kMaxCountyNameLength)) + " characters";
    }
    if (parts.part && !IsPartName(*parts.part)) {
        return "name " + Quoted(name) + " has the unknown part (" + std::string(*parts.part) + ")";
    }
    return {};
}

// Alphabetical comparison with blanks dropped ("LA SALLE" sorts as "LASALLE").
std::string WithoutBlanks(std::string_view text) {
    std::string letters;
    std::copy_if(text.begin(), text.end(), std::back_inserter(letters), [](char c) { return c != ' '; });
    return letters;
}

// The counties must be in alphabetical order; an agency's list may sort blanks
// before letters or ignore them, so the order that fits the list better is the
// one it is held to.
void CheckCountyOrder(const std::vector<std::string_view>& counties, std::vector<std::string>& faults) {
    std::vector<std::size_t> byBlanks;
    std::vector<std::size_t> byLetters;
    for (std::size_t i = 1; i < counties.size(); ++i) {
        if (!(counties[i - 1] < counties[i])) byBlanks.push_back(i);
        if (!(WithoutBlanks(counties[i - 1]) < WithoutBlanks(counties[i]))) byLetters.push_back(i);
    }
    const auto& outOfOrder = byBlanks.size() <= byLetters.size() ? byBlanks : byLetters;
    for (const std::size_t i : outOfOrder) {
        faults.push_back("county " + Quoted(counties[i - 1]) + " stands before " + Quoted(counties[i]) +
                         " out of alphabetical order");
    }
}

// One county's run of adjacent entries [first, last).
void CheckCountyParts(const std::vector<CountyEntry>& table, std::size_t first, std::size_t last,
                      std::vector<std::string>& faults) {
    const std::string_view county = SplitName(table[first].name).county;
    if (last - first == 1 && !SplitName(table[first].name).part) return;  // a whole county

    std::vector<std::string_view> parts;
    std::string names;
    for (std::size_t i = first; i < last; ++i) {
        const auto part = SplitName(table[i].name).part;
        parts.push_back(part ? *part : std::string_view{});
        names += (i == first ? "" : ", ") + Quoted(table[i].name);
    }
    const auto& divisions = Divisions();
    if (std::find(divisions.begin(), divisions.end(), parts) == divisions.end()) {
        faults.push_back("county " + Quoted(county) + ": the entries " + names +
                         " are not the parts of a divided county in one of the allowed orders");
    }
    for (std::size_t i = first + 1; i < last; ++i) {
        if (table[i].soilSupport != table[first].soilSupport) {
            faults.push_back("county " + Quoted(county) + ": " + Quoted(table[i].name) + " has soil support " +
                             table[i].soilSupport + " but " + Quoted(table[first].name) + " has " +
                             table[first].soilSupport);
        }
        if (table[i].regionalFactor == table[i - 1].regionalFactor) {
            faults.push_back("county " + Quoted(county) + ": adjacent parts " + Quoted(table[i - 1].name) + " and " +
                             Quoted(table[i].name) + " have the same regional factor " + table[i].regionalFactor);
        }
    }
    if (last - first == 3 && table[first].regionalFactor != table[last - 1].regionalFactor) {
        faults.push_back("county " + Quoted(county) + ": the first and last parts have different regional factors " +
                         table[first].regionalFactor + " and " + table[last - 1].regionalFactor);
    }
}

void CheckCounts(std::string_view what, const std::map<std::string, int>& expected,
                 const std::map<std::string, int>& found, std::vector<std::string>& faults) {
    std::set<std::string> keys;
    for (const auto& [key, count] : expected) keys.insert(key);
    for (const auto& [key, count] : found) keys.insert(key);
    for (const auto& key : keys) {
        const auto e = expected.find(key);
        const auto f = found.find(key);
        const int want = e == expected.end() ? 0 : e->second;
        const int have = f == found.end() ? 0 : f->second;
        if (want != have) {
            faults.push_back(std::string(what) + " " + key + ": " + Whole(have) + " entries, " +
                             (want == 0 ? std::string("none") : Whole(want)) + " expected");
        }
    }
}

void CheckValueCounts(const std::vector<CountyEntry>& table, std::vector<std::string>& faults) {
    std::map<std::string, int> soilWanted, factorWanted, pairWanted;
    for (const auto& p : kPairCounts) {
        soilWanted[std::string(p.soilSupport)] += p.entries;
        factorWanted[std::string(p.regionalFactor)] += p.entries;
        pairWanted[std::string(p.soilSupport) + " with regional factor " + std::string(p.regionalFactor)] += p.entries;
    }
    std::map<std::string, int> soilFound, factorFound, pairFound;
    for (const auto& entry : table) {
        ++soilFound[entry.soilSupport];
        ++factorFound[entry.regionalFactor];
        ++pairFound[entry.soilSupport + " with regional factor " + entry.regionalFactor];
    }
    CheckCounts("soil support", soilWanted, soilFound, faults);
    CheckCounts("regional factor", factorWanted, factorFound, faults);
    CheckCounts("soil support", pairWanted, pairFound, faults);
}

void CheckFixedEntry(const CountyEntry& entry, const std::string& where, std::string_view soilSupport,
                     std::string_view regionalFactor, std::vector<std::string>& faults) {
    if (entry.soilSupport != soilSupport || entry.regionalFactor != regionalFactor) {
        faults.push_back(where + " (" + Quoted(entry.name) + ") has soil support " + entry.soilSupport +
                         " and regional factor " + entry.regionalFactor + ", " + std::string(soilSupport) + " and " +
                         std::string(regionalFactor) + " expected");
    }
}

}  // namespace

std::vector<std::string> CheckCountyTableShape(const std::vector<CountyEntry>& table) {
    std::vector<std::string> faults;
    if (table.size() != kEntryCount) {
        faults.push_back(Whole(static_cast<int>(kEntryCount)) + " entries expected, found " +
                         Whole(static_cast<int>(table.size())));
    }

    std::set<std::string_view> names;
    std::set<std::string_view> repeated;
    for (const auto& entry : table) {
        if (const std::string fault = NameFault(entry.name); !fault.empty()) faults.push_back(fault);
        if (!IsCountyValueText(entry.soilSupport)) {
            faults.push_back(Quoted(entry.name) + ": soil support " + Quoted(entry.soilSupport) +
                             " is not one digit, a point and one digit");
        }
        if (!IsCountyValueText(entry.regionalFactor)) {
            faults.push_back(Quoted(entry.name) + ": regional factor " + Quoted(entry.regionalFactor) +
                             " is not one digit, a point and one digit");
        }
        if (!names.insert(entry.name).second && repeated.insert(entry.name).second) {
            faults.push_back("name " + Quoted(entry.name) + " appears more than once");
        }
    }

    // Each county's entries form one run of adjacent entries.
    std::vector<std::string_view> counties;
    std::set<std::string_view> seen;
    std::set<std::string_view> scattered;
    for (std::size_t first = 0; first < table.size();) {
        const std::string_view county = SplitName(table[first].name).county;
        std::size_t last = first + 1;
        while (last < table.size() && SplitName(table[last].name).county == county) ++last;
        if (!seen.insert(county).second && scattered.insert(county).second) {
            faults.push_back("county " + Quoted(county) + ": its entries are not adjacent");
        }
        counties.push_back(county);
        CheckCountyParts(table, first, last, faults);
        first = last;
    }
    CheckCountyOrder(counties, faults);

    CheckValueCounts(table, faults);

    for (const auto& fixed : kFixedEntries) {
        if (fixed.position < table.size()) {
            CheckFixedEntry(table[fixed.position], "entry " + Whole(static_cast<int>(fixed.position + 1)),
                            fixed.soilSupport, fixed.regionalFactor, faults);
        }
    }
    if (!table.empty()) CheckFixedEntry(table.back(), "the last entry", kLastSoilSupport, kLastRegionalFactor, faults);
    return faults;
}

}  // namespace korvelle
