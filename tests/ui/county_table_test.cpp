#include "ui/county_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

#include "ui/county_table_shape.h"

namespace korvelle {
namespace {

std::filesystem::path SourceRoot() {
    return KORVELLE_SOURCE_DIR;
}

std::string ShippedText() {
    std::ifstream file(SourceRoot() / "data" / "counties.csv", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The table the programs run with.
std::vector<CountyEntry> ShippedTable() {
    std::string error;
    auto table = LoadCountyTable(nullptr, &error);
    EXPECT_TRUE(table.has_value()) << error;
    return table.value_or(std::vector<CountyEntry>{});
}

std::string Joined(const std::vector<std::string>& faults) {
    std::string all;
    for (const auto& fault : faults) all += fault + "\n";
    return all;
}

bool Mentions(const std::vector<std::string>& faults, std::string_view words) {
    return std::any_of(faults.begin(), faults.end(),
                       [&](const std::string& fault) { return fault.find(words) != std::string::npos; });
}

std::string CountyOf(const std::string& name) { return name.substr(0, name.find(" (")); }

bool IsWhole(const CountyEntry& entry) { return entry.name.find('(') == std::string::npos; }

// Index of the first entry whose name ends in the given part, e.g. " (north)".
std::size_t FindPart(const std::vector<CountyEntry>& table, std::string_view suffix) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].name.ends_with(suffix)) return i;
    }
    ADD_FAILURE() << "no entry ends in " << suffix;
    return 0;
}

// Index of a whole county in the middle of the list whose neighbour after it is
// also a whole county.
std::size_t FindTwoWholeCounties(const std::vector<CountyEntry>& table) {
    for (std::size_t i = table.size() / 2; i + 1 < table.size(); ++i) {
        if (IsWhole(table[i]) && IsWhole(table[i + 1])) return i;
    }
    ADD_FAILURE() << "no two whole counties side by side";
    return 0;
}

TEST(CountyTable, ShippedFileIsReadableAndHasTheWorksheetShape) {
    const auto table = ShippedTable();
    ASSERT_EQ(table.size(), 176u);
    const auto faults = CheckCountyTableShape(table);
    EXPECT_TRUE(faults.empty()) << Joined(faults);

    EXPECT_EQ(table.front().soilSupport, "4.0");
    EXPECT_EQ(table.front().regionalFactor, "1.6");
    EXPECT_EQ(table.back().soilSupport, "3.5");
    EXPECT_EQ(table.back().regionalFactor, "1.4");
    const std::vector<std::pair<std::string, std::string>> firstEight{
        {"4.0", "1.6"}, {"4.0", "1.6"}, {"4.0", "1.6"}, {"4.0", "1.5"},
        {"3.0", "1.6"}, {"3.0", "2.0"}, {"2.5", "1.8"}, {"2.5", "2.0"}};
    for (std::size_t i = 0; i < firstEight.size(); ++i) {
        EXPECT_EQ(table[i].soilSupport, firstEight[i].first) << i;
        EXPECT_EQ(table[i].regionalFactor, firstEight[i].second) << i;
    }
}

TEST(CountyTable, ShippedFileCarriesTheAgencyValueCounts) {
    const std::map<std::string, int> soilSupport{{"2.0", 8},  {"2.5", 47}, {"3.0", 50},
                                                 {"3.5", 27}, {"4.0", 43}, {"4.5", 1}};
    const std::map<std::string, int> regionalFactor{{"1.4", 28}, {"1.5", 23}, {"1.6", 56}, {"1.7", 8},
                                                    {"1.8", 27}, {"2.0", 20}, {"2.2", 12}, {"2.4", 2}};
    const std::map<std::pair<std::string, std::string>, int> pairs{
        {{"2.0", "1.6"}, 2},  {{"2.0", "1.8"}, 3},  {{"2.0", "2.0"}, 3},  {{"2.5", "1.5"}, 1},
        {{"2.5", "1.6"}, 11}, {{"2.5", "1.8"}, 10}, {{"2.5", "2.0"}, 12}, {{"2.5", "2.2"}, 12},
        {{"2.5", "2.4"}, 1},  {{"3.0", "1.5"}, 7},  {{"3.0", "1.6"}, 23}, {{"3.0", "1.8"}, 14},
        {{"3.0", "2.0"}, 5},  {{"3.0", "2.4"}, 1},  {{"3.5", "1.4"}, 9},  {{"3.5", "1.5"}, 12},
        {{"3.5", "1.6"}, 6},  {{"4.0", "1.4"}, 19}, {{"4.0", "1.5"}, 3},  {{"4.0", "1.6"}, 13},
        {{"4.0", "1.7"}, 8},  {{"4.5", "1.6"}, 1}};
    // The three tallies agree with one another.
    std::map<std::string, int> soilFromPairs, factorFromPairs;
    for (const auto& [pair, count] : pairs) {
        soilFromPairs[pair.first] += count;
        factorFromPairs[pair.second] += count;
    }
    EXPECT_EQ(soilFromPairs, soilSupport);
    EXPECT_EQ(factorFromPairs, regionalFactor);

    std::map<std::string, int> soilFound, factorFound;
    std::map<std::pair<std::string, std::string>, int> pairsFound;
    for (const auto& entry : ShippedTable()) {
        ++soilFound[entry.soilSupport];
        ++factorFound[entry.regionalFactor];
        ++pairsFound[{entry.soilSupport, entry.regionalFactor}];
    }
    EXPECT_EQ(soilFound, soilSupport);
    EXPECT_EQ(factorFound, regionalFactor);
    EXPECT_EQ(pairsFound, pairs);
}

TEST(CountyTable, ShippedFileDividesCountiesInEveryOrder) {
    const auto table = ShippedTable();
    std::map<std::vector<std::string>, int> divisions;
    for (std::size_t first = 0; first < table.size();) {
        std::size_t last = first + 1;
        while (last < table.size() && CountyOf(table[last].name) == CountyOf(table[first].name)) ++last;
        EXPECT_LE(CountyOf(table[first].name).size(), 13u) << table[first].name;
        if (last - first > 1) {
            std::vector<std::string> parts;
            for (std::size_t i = first; i < last; ++i) parts.push_back(table[i].name.substr(table[i].name.find(" (")));
            ++divisions[parts];
        }
        first = last;
    }
    for (const auto& entry : table) EXPECT_LE(entry.name.size(), 22u) << entry.name;

    for (const std::vector<std::string>& twoParts :
         {std::vector<std::string>{" (north)", " (south)"}, {" (northwest)", " (southeast)"}, {" (east)", " (west)"},
          {" (east)", " (west/central)"}, {" (west)", " (east/central)"}}) {
        EXPECT_GE(divisions[twoParts], 1) << twoParts[0] << twoParts[1];
    }
    EXPECT_EQ((divisions[{" (northwest)", " (central)", " (southeast)"}]), 1);
}

TEST(CountyTable, SelectingTheNextPartOfACountyChangesOnlyTheRegionalFactor) {
    const auto table = ShippedTable();
    // Entries 3 and 4 of the list carry the same soil support 4.0 but regional
    // factors 1.6 and 1.5: the shipped table makes them the two parts of one county.
    ASSERT_GE(table.size(), 4u);
    EXPECT_EQ(CountyOf(table[2].name), CountyOf(table[3].name));
    EXPECT_EQ(table[2].soilSupport, table[3].soilSupport);
    EXPECT_EQ(table[2].regionalFactor, "1.6");
    EXPECT_EQ(table[3].regionalFactor, "1.5");

    int adjacentParts = 0;
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (IsWhole(table[i]) || CountyOf(table[i].name) != CountyOf(table[i - 1].name)) continue;
        ++adjacentParts;
        EXPECT_EQ(table[i].soilSupport, table[i - 1].soilSupport) << table[i].name;
        EXPECT_NE(table[i].regionalFactor, table[i - 1].regionalFactor) << table[i].name;
    }
    EXPECT_GE(adjacentParts, 6);
}

TEST(CountyTable, TheProgramsCarryTheShippedFileAsItStands) {
    EXPECT_EQ(ShippedCountyTableText(), ShippedText());
    EXPECT_EQ(ShippedCountyTableText().size(), std::filesystem::file_size(SourceRoot() / "data" / "counties.csv"));
}

TEST(LoadCountyTable, ATableFileGivenInsteadOrWhyItCannotBeUsed) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("county-table-" + std::to_string(getpid()) + ".csv");
    const auto load = [&file](const std::string& text, std::string& error) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
        return LoadCountyTable(file.c_str(), &error);
    };
    std::string error = "left over";
    const auto table = load("# two counties\nALDER,4.0,1.6\nBIRCH,3.0,1.8\n", error);
    ASSERT_TRUE(table.has_value()) << error;
    EXPECT_EQ(error, "");
    ASSERT_EQ(table->size(), 2u);
    EXPECT_EQ((*table)[1].name, "BIRCH");

    EXPECT_FALSE(load("ALDER,4.0,1.6\nBIRCH;3.0;1.8\n", error).has_value());
    EXPECT_EQ(error, file.string() + ": line 2: 3 fields expected (name, soil support, regional factor), found 1");
    EXPECT_FALSE(load("# nothing but remarks\n", error).has_value());
    EXPECT_EQ(error, file.string() + ": the table holds no county");
    std::filesystem::remove(file);
    EXPECT_FALSE(LoadCountyTable(file.c_str(), &error).has_value());
    EXPECT_EQ(error, file.string() + ": No such file or directory");
    EXPECT_FALSE(LoadCountyTable(file.c_str(), nullptr).has_value());  // no message wanted

    // No file named: the shipped table.
    for (const char* none : {static_cast<const char*>(nullptr), ""}) {
        const auto shipped = LoadCountyTable(none, &error);
        ASSERT_TRUE(shipped.has_value()) << error;
        EXPECT_EQ(shipped->size(), 176u);
    }
}

TEST(ParseCountyTable, ReadsEntriesSkippingCommentsAndBlankLines) {
    const std::string text =
        "\xEF\xBB\xBF# heading\r\n"
        "\r\n"
        "ALDER FORK,4.0,1.6\r\n"
        "   # indented remark\n"
        "  \t \n"
        " BRAND (north) , 3.5 ,\t1.4 \n"
        "BRAND (south),3.5,1.5";  // no line end after the last entry
    std::string error = "left over";
    const auto table = ParseCountyTable(text, &error);
    ASSERT_TRUE(table.has_value()) << error;
    EXPECT_EQ(error, "");
    ASSERT_EQ(table->size(), 3u);
    EXPECT_EQ((*table)[0].name, "ALDER FORK");
    EXPECT_EQ((*table)[0].soilSupport, "4.0");
    EXPECT_EQ((*table)[0].regionalFactor, "1.6");
    EXPECT_EQ((*table)[1].name, "BRAND (north)");
    EXPECT_EQ((*table)[1].soilSupport, "3.5");
    EXPECT_EQ((*table)[1].regionalFactor, "1.4");
    EXPECT_EQ((*table)[2].name, "BRAND (south)");
    EXPECT_EQ((*table)[2].regionalFactor, "1.5");

    const auto empty = ParseCountyTable("# nothing but remarks\n\n", nullptr);
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->empty());
}

TEST(ParseCountyTable, RejectsMalformedLinesNamingTheLine) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"ALDER,4.0", "line 2: 3 fields expected"},
        {"ALDER,4.0,1.6,2.0", "line 2: 3 fields expected"},
        {"ALDER,4,0,1.6", "line 2: 3 fields expected"},
        {"ALDER 4.0 1.6", "line 2: 3 fields expected"},
        {",4.0,1.6", "line 2: the county name is empty"},
        {"  ,4.0,1.6", "line 2: the county name is empty"},
        {"ALDER,4,1.6", "line 2: soil support \"4\""},
        {"ALDER,4.05,1.6", "line 2: soil support \"4.05\""},
        {"ALDER,-.5,1.6", "line 2: soil support \"-.5\""},
        {"ALDER,,1.6", "line 2: soil support \"\""},
        {"ALDER,4.0,1.", "line 2: regional factor \"1.\""},
        {"ALDER,4.0,.6", "line 2: regional factor \".6\""},
        {"ALDER,4.0,1:6", "line 2: regional factor \"1:6\""},
        {"ALDER,4.0,a.b", "line 2: regional factor \"a.b\""},
    };
    for (const auto& [line, message] : cases) {
        std::string error;
        EXPECT_FALSE(ParseCountyTable("# remark\n" + line + "\nBIRCH,3.0,1.8\n", &error).has_value()) << line;
        EXPECT_EQ(error.rfind(message, 0), 0u) << line << " -> " << error;
        EXPECT_FALSE(ParseCountyTable(line, nullptr).has_value()) << line;  // no message wanted
    }
    std::string error;
    EXPECT_FALSE(ParseCountyTable("ALDER,4.0,1.6\nBIRCH,3.0\n", &error).has_value());
    EXPECT_EQ(error, "line 2: 3 fields expected (name, soil support, regional factor), found 2");
}

TEST(CheckCountyTableShape, CatchesWrongCountsAndFixedEntries) {
    const auto good = ShippedTable();
    ASSERT_EQ(good.size(), 176u);

    auto shortened = good;
    shortened.erase(shortened.begin() + static_cast<std::ptrdiff_t>(FindTwoWholeCounties(good)));
    auto faults = CheckCountyTableShape(shortened);
    EXPECT_TRUE(Mentions(faults, "176 entries expected, found 175")) << Joined(faults);

    // One county moved from one regional factor to another: the entry count
    // still holds, the tallies do not.
    auto changed = good;
    auto& entry = changed[FindTwoWholeCounties(good)];
    entry.regionalFactor = entry.regionalFactor == "1.6" ? "1.8" : "1.6";
    faults = CheckCountyTableShape(changed);
    EXPECT_FALSE(faults.empty());
    EXPECT_FALSE(Mentions(faults, "entries expected"));
    EXPECT_TRUE(Mentions(faults, "regional factor " + good[FindTwoWholeCounties(good)].regionalFactor + ":"))
        << Joined(faults);

    // A value nobody uses.
    changed = good;
    changed[FindTwoWholeCounties(good)].soilSupport = "5.0";
    faults = CheckCountyTableShape(changed);
    EXPECT_TRUE(Mentions(faults, "soil support 5.0: 1 entries, none expected")) << Joined(faults);

    // The last entry trades values with a county of other values: every tally
    // still holds, only the fixed last entry is wrong.
    changed = good;
    std::size_t other = FindTwoWholeCounties(good);
    while (good[other].soilSupport == "3.5" || !IsWhole(good[other])) ++other;
    std::swap(changed[other].soilSupport, changed.back().soilSupport);
    std::swap(changed[other].regionalFactor, changed.back().regionalFactor);
    faults = CheckCountyTableShape(changed);
    ASSERT_EQ(faults.size(), 1u) << Joined(faults);
    EXPECT_TRUE(Mentions(faults, "the last entry")) << Joined(faults);

    // The first entry trades values with a whole county in the middle.
    changed = good;
    other = FindTwoWholeCounties(good);
    while (good[other].soilSupport == "4.0" && good[other].regionalFactor == "1.6") ++other;
    std::swap(changed[0].soilSupport, changed[other].soilSupport);
    std::swap(changed[0].regionalFactor, changed[other].regionalFactor);
    faults = CheckCountyTableShape(changed);
    ASSERT_EQ(faults.size(), 1u) << Joined(faults);
    EXPECT_TRUE(Mentions(faults, "entry 1 ")) << Joined(faults);
}

TEST(CheckCountyTableShape, CatchesBrokenDivisions) {
    const auto good = ShippedTable();
    ASSERT_EQ(good.size(), 176u);

    // Adjacent parts with the same regional factor.
    auto changed = good;
    std::size_t south = FindPart(good, " (south)");
    changed[south].regionalFactor = changed[south - 1].regionalFactor;
    auto faults = CheckCountyTableShape(changed);
    EXPECT_TRUE(Mentions(faults, "have the same regional factor")) << Joined(faults);

    // Parts with different soil support.
    changed = good;
    changed[south].soilSupport = changed[south].soilSupport == "3.0" ? "2.5" : "3.0";
    faults = CheckCountyTableShape(changed);
    EXPECT_TRUE(Mentions(faults, "has soil support")) << Joined(faults);

    // Parts in the wrong order: nothing else is wrong.
    changed = good;
    std::swap(changed[south].name, changed[south - 1].name);
    faults = CheckCountyTableShape(changed);
    ASSERT_EQ(faults.size(), 1u) << Joined(faults);
    EXPECT_TRUE(Mentions(faults, "not the parts of a divided county")) << Joined(faults);

    // Parts torn apart by the county that follows them.
    changed = good;
    std::size_t split = 1;
    while (split + 1 < good.size() && (IsWhole(good[split]) || !IsWhole(good[split + 1]))) ++split;
    ASSERT_LT(split + 1, good.size());
    std::swap(changed[split], changed[split + 1]);
    faults = CheckCountyTableShape(changed);
    EXPECT_TRUE(Mentions(faults, "its entries are not adjacent")) << Joined(faults);
    EXPECT_TRUE(Mentions(faults, "not the parts of a divided county")) << Joined(faults);

    // A part missing its partner.
    changed = good;
    changed[south].name = CountyOf(good[south].name) + " (east)";
    faults = CheckCountyTableShape(changed);
    EXPECT_TRUE(Mentions(faults, "not the parts of a divided county")) << Joined(faults);

    // A part name that is not one of the divisions.
    changed = good;
    changed[south].name = CountyOf(good[south].name) + " (upper)";
    faults = CheckCountyTableShape(changed);
    EXPECT_TRUE(Mentions(faults, "unknown part (upper)")) << Joined(faults);

    // The county in three parts: its outer parts must share the regional factor.
    changed = good;
    const std::size_t central = FindPart(good, " (central)");
    for (const char* factor : {"1.4", "1.5", "1.6", "1.7", "1.8", "2.0", "2.2", "2.4"}) {
        if (factor != good[central].regionalFactor && factor != good[central - 1].regionalFactor) {
            changed[central + 1].regionalFactor = factor;
            break;
        }
    }
    faults = CheckCountyTableShape(changed);
    EXPECT_TRUE(Mentions(faults, "the first and last parts have different regional factors")) << Joined(faults);
    EXPECT_FALSE(Mentions(faults, "have the same regional factor")) << Joined(faults);
}

TEST(CheckCountyTableShape, CatchesBadNamesAndOrder) {
    const auto good = ShippedTable();
    ASSERT_EQ(good.size(), 176u);
    const std::size_t middle = FindTwoWholeCounties(good);

    // Two whole counties out of alphabetical order: nothing else is wrong.
    auto changed = good;
    std::swap(changed[middle], changed[middle + 1]);
    auto faults = CheckCountyTableShape(changed);
    ASSERT_EQ(faults.size(), 1u) << Joined(faults);
    EXPECT_TRUE(Mentions(faults, "out of alphabetical order")) << Joined(faults);

    changed = good;
    changed[middle + 1].name = changed[middle].name;
    faults = CheckCountyTableShape(changed);
    EXPECT_TRUE(Mentions(faults, "appears more than once")) << Joined(faults);

    const std::string& name = good[middle].name;
    for (const std::string& bad : {std::string("Lowercase"), name + "7", " " + name, name + " ", std::string("A  B"),
                                  std::string("ABCDEFGHIJKLMN"), std::string(""),
                                  std::string("ABCDEFGHIJ (west/central)")}) {
        changed = good;
        changed[middle].name = bad;
        faults = CheckCountyTableShape(changed);
        EXPECT_TRUE(Mentions(faults, "name \"" + bad + "\"")) << bad << "\n" << Joined(faults);
    }
    // Thirteen letters fit.
    changed = good;
    changed[middle].name = good[middle].name.substr(0, 1) + std::string(12, 'Z');
    faults = CheckCountyTableShape(changed);
    EXPECT_FALSE(Mentions(faults, "name \"")) << Joined(faults);

    changed = good;
    changed[middle].regionalFactor = "16";
    faults = CheckCountyTableShape(changed);
    EXPECT_TRUE(Mentions(faults, "regional factor \"16\" is not one digit")) << Joined(faults);
}

TEST(CheckCountyTableShape, AcceptsEitherAlphabeticalConvention) {
    const auto orderFaults = [](std::vector<std::string> names) {
        std::vector<CountyEntry> table;
        for (auto& name : names) table.push_back({name, "3.0", "1.6"});
        std::vector<std::string> faults;
        for (auto& fault : CheckCountyTableShape(table)) {
            if (fault.find("alphabetical") != std::string::npos) faults.push_back(fault);
        }
        return faults;
    };
    // Blanks before letters, or blanks ignored.
    EXPECT_TRUE(orderFaults({"ASH", "DE LACY", "DEBRAN", "ELM"}).empty());
    EXPECT_TRUE(orderFaults({"ASH", "DEBRAN", "DE LACY", "ELM"}).empty());
    EXPECT_EQ(orderFaults({"ASH", "ELM", "DEBRAN", "DE LACY"}).size(), 1u);
    EXPECT_EQ(orderFaults({"ELM", "DEBRAN", "CEDAR", "ASH"}).size(), 3u);
}

}  // namespace
}  // namespace korvelle
