#include "print/font_choice.h"

#include <gtest/gtest.h>

namespace korvelle {
namespace {

TEST(PreselectedFace, TheLastCourierFaceInThePrintersOrderWins) {
    EXPECT_EQ(PreselectedFace({"Arial", "Courier New", "Times New Roman", "Courier"}), "Courier");
    EXPECT_EQ(PreselectedFace({"Courier", "Arial", "Courier New"}), "Courier New");
    EXPECT_EQ(PreselectedFace({"New Courier", "Courier"}), "Courier");
    EXPECT_EQ(PreselectedFace({"Courier", "New Courier"}), "New Courier");
    EXPECT_EQ(PreselectedFace({"Courier New", "New Courier", "Lucida Console"}), "New Courier");
    EXPECT_EQ(PreselectedFace({"Lucida Console", "Courier New"}), "Courier New");
}

TEST(PreselectedFace, OnlyExactCaseSensitiveNamesCount) {
    EXPECT_EQ(PreselectedFace({}), std::nullopt);
    EXPECT_EQ(PreselectedFace({"Arial", "Times New Roman"}), std::nullopt);
    EXPECT_EQ(PreselectedFace({"courier", "COURIER NEW", "Courier 10 Pitch", " Courier", "Courier New ",
                               "CourierNew", "new courier"}),
              std::nullopt);
    // A near miss after a match does not undo it.
    EXPECT_EQ(PreselectedFace({"Courier New", "courier new", "Courier10"}), "Courier New");
}

}  // namespace
}  // namespace korvelle
