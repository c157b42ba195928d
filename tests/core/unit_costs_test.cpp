#include "core/unit_costs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/materials.h"

namespace korvelle {
namespace {

const std::string kHeader(kUnitCostHeader);

TEST(ParseUnitCostTable, ReadsPricesAndRangesAsTheAgencyWritesThem) {
    // A byte order mark, CRLF line ends, blank lines, blanks around fields,
    // quoted fields, a price without cents and a thickness without decimals.
    const std::string text = "\xEF\xBB\xBF" + kHeader + "\r\n" +
                             "\r\n"
                             "12.5 mm Superpave,6.20,1.0,2.0\r\n"
                             "  \"19 mm SMA\" , \"7.1\" ,1.5, 3\r\n"
                             "   \r\n"
                             "12.5 mm OGFC,4,,\r\n"
                             "\"Graded Aggregate Base\",0.05,0.25,1000";
    std::string error = "not cleared";
    const auto table = ParseUnitCostTable(text, &error);
    ASSERT_TRUE(table) << error;
    EXPECT_EQ(error, "");
    ASSERT_EQ(table->entries.size(), 4u);
    const UnitCost* sma = table->Find("19 mm SMA");
    ASSERT_TRUE(sma);
    EXPECT_EQ(sma->cents, 710);
    EXPECT_EQ(sma->leastQuarterInches, 6);
    EXPECT_EQ(sma->greatestQuarterInches, 12);
    EXPECT_FALSE(sma->spreadRate);
    const UnitCost* ogfc = table->Find("12.5 mm OGFC");
    ASSERT_TRUE(ogfc);
    EXPECT_TRUE(ogfc->spreadRate);
    EXPECT_EQ(ogfc->cents, 400);
    const UnitCost* base = table->Find("Graded Aggregate Base");
    ASSERT_TRUE(base);
    EXPECT_EQ(base->cents, 5);
    EXPECT_EQ(base->leastQuarterInches, 1);
    EXPECT_EQ(base->greatestQuarterInches, 4000);
    EXPECT_FALSE(table->Find("12.5 mm PEM"));
    EXPECT_TRUE(ParseUnitCostTable(kHeader, nullptr)) << "a header alone prices nothing";
}

TEST(ParseUnitCostTable, RefusesABadLineNamingItAndWhatIsWrong) {
    struct Case {
        std::string text;
        std::string error;
    };
    const std::string line2 = kHeader + "\n";
    const Case cases[] = {
        {"", "line 1: the table is empty: the header \"" + kHeader + "\" is missing"},
        {"material,price,least,greatest\n", "line 1: the table must begin with the header \"" + kHeader + "\""},
        {"\n" + kHeader + " \n", "line 2: the table must begin with the header \"" + kHeader + "\""},
        {line2 + "12.5 mm SMA,7.80,1.0",
         "line 2: 4 fields expected (material, dollars per square yard per inch, least thickness, greatest "
         "thickness), found 3"},
        {line2 + ",7.80,1.0,2.0", "line 2: the material is empty"},
        {line2 + "\n\n14 mm Superpave,7.80,1.0,2.0",
         "line 4: \"14 mm Superpave\" is not a material of the entry screens' lists"},
        {line2 + "[NO COURSE],1,1,2", "line 2: \"[NO COURSE]\" is not a material of the entry screens' lists"},
        {line2 + "12.5 mm SMA,12.505,1,2", "line 2: the price \"12.505\" is not dollars with at most two decimals"},
        {line2 + "12.5 mm SMA,-1,1,2", "line 2: the price \"-1\" is not dollars with at most two decimals"},
        {line2 + "12.5 mm SMA,1e3,1,2", "line 2: the price \"1e3\" is not dollars with at most two decimals"},
        {line2 + "12.5 mm SMA,,1,2", "line 2: the price \"\" is not dollars with at most two decimals"},
        {line2 + "12.5 mm SMA,12.,1,2", "line 2: the price \"12.\" is not dollars with at most two decimals"},
        {line2 + "12.5 mm SMA,7.80,1.3,2",
         "line 2: the least thickness \"1.3\" is not a whole number of quarter inches"},
        {line2 + "12.5 mm SMA,7.80,0,2", "line 2: the least thickness \"0\" is less than 0.25 in."},
        {line2 + "12.5 mm SMA,7.80,1,1000.25",
         "line 2: the greatest thickness \"1000.25\" is more than 1000.00 in."},
        {line2 + "12.5 mm SMA,7.80,one,2", "line 2: the least thickness \"one\" is not a number of inches"},
        {line2 + "12.5 mm SMA,7.80,,2", "line 2: the least thickness is empty"},
        {line2 + "12.5 mm SMA,7.80,3,2", "line 2: the least thickness \"3\" is more than the greatest \"2\""},
        {line2 + "12.5 mm PEM,5.60,1,2",
         "line 2: \"12.5 mm PEM\" is laid by spread rate and priced per square yard: its thickness fields must be "
         "empty"},
        {line2 + "12.5 mm SMA,7.80,1,2\r\n19 mm SMA,7,2,3\r\n12.5 mm SMA,7.90,1,2",
         "line 4: \"12.5 mm SMA\" is priced twice (first on line 2)"},
        {line2 + "\"12.5 mm SMA,7.80,1,2\n", "line 2: a quoted field is not closed"},
        {line2 + "\"12.5 mm\" SMA,7.80,1,2", "line 2: text after the closing quote of a field"},
        {line2 + "12.5 mm \"SMA\",7.80,1,2", "line 2: a quote inside a field that does not begin with one"},
        // Quotes keep commas and doubled quotes in the field.
        {line2 + "\"19 mm SMA, \"\"hot\"\"\",7,2,3",
         "line 2: \"19 mm SMA, \"hot\"\" is not a material of the entry screens' lists"},
        // A line break inside quotes stays in the field.
        {line2 + "\"19 mm\nSMA\",7,2,3\n12.5 mm SMA,7.80,1",
         "line 2: \"19 mm\nSMA\" is not a material of the entry screens' lists"},
        {line2 + "19 mm SMA,\"7\n\",2,3\n12.5 mm SMA,7.80,1",
         "line 2: the price \"7\n\" is not dollars with at most two decimals"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        EXPECT_FALSE(ParseUnitCostTable(c.text, &error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(UnitCosts, CostsAreSummedInQuarterCentsAndShownToTheCent) {
    // 12.5 mm Superpave at $6.20 and 1.25 in. is 620 x 5 = 3,100 quarter
    // cents; OGFC at $4.75 a square yard 475 x 4 = 1,900; graded aggregate
    // at $1.41 and 0.25 in. 141 quarter cents, 35.25 cents.
    const auto table = ParseUnitCostTable(kHeader +
                                              "\n12.5 mm OGFC,4.75,,\n12.5 mm Superpave,6.20,1,2\n"
                                              "Graded Aggregate Base,1.41,0.25,12\n",
                                          nullptr);
    ASSERT_TRUE(table);
    EXPECT_EQ(CourseCost(*table->Find("12.5 mm Superpave"), 5), 3100);
    EXPECT_EQ(CourseCost(*table->Find("12.5 mm OGFC"), 0), 1900);
    // Full depth: OGFC, 1.25 in. of 12.5 mm Superpave, 0.25 in. of base;
    // the "[NO COURSE]" rows and their thickness texts are not priced.
    EnteredStructure full{false, {{0, "0"}, {0, "1.25"}, {8, "0.25"}, {9, "abc"}, {-1, ""}}};
    EXPECT_EQ(StructureCost(full, *table), 5141);
    EXPECT_EQ(CostText(*StructureCost(full, *table)), "$12.85 per sq. yd.");  // 1,285.25 cents
    full.rows[1].thickness = "1.30";
    EXPECT_FALSE(StructureCost(full, *table)) << "not whole quarter inches";
    full.rows[1] = {3, "1.25"};  // 19 mm Superpave: no price
    EXPECT_FALSE(StructureCost(full, *table));
    // An overlay's existing courses are not priced.
    const EnteredStructure overlay{true, {{2, "1.25"}, {7, ""}, {7, ""}, {3, "4.00"}, {4, "8"}, {6, ""}}};
    EXPECT_EQ(StructureCost(overlay, *table), 3100);

    EXPECT_EQ(CostText(14900), "$37.25 per sq. yd.");
    EXPECT_EQ(CostText(1), "$0.00 per sq. yd.");
    EXPECT_EQ(CostText(2), "$0.01 per sq. yd.");  // half a cent
    EXPECT_EQ(CostText(400000000), "$1,000,000.00 per sq. yd.");
}

TEST(UnitCosts, TheShippedTablePricesEveryMaterialOfTheFullDepthAndOverlayLists) {
    std::ifstream in(std::string(KORVELLE_SOURCE_DIR) + "/data/unit-costs.csv", std::ios::binary);
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    const auto table = ParseUnitCostTable(text.str(), &error);
    ASSERT_TRUE(table) << error;
    for (const MaterialList list : {MaterialList::FullDepth, MaterialList::Overlay}) {
        for (std::int16_t m = 1; !MaterialName(list, m).empty(); ++m) {
            if (IsNoCourse(list, m)) continue;
            const UnitCost* cost = table->Find(MaterialName(list, m));
            ASSERT_TRUE(cost) << MaterialName(list, m);
            EXPECT_GT(cost->cents, 0) << cost->material;
            EXPECT_EQ(cost->spreadRate, IsSpreadRate(list, m)) << cost->material;
        }
    }
}

}  // namespace
}  // namespace korvelle
