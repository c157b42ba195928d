#pragma once

#include <string>
#include <vector>

#include "least_cost_search.h"
#include "program.h"

namespace korvelle {

class StructureEntryScreen;

// LEAST COST... of an entry screen: one line per new course of the structure
// (its material, the least and greatest thickness it may take, prefilled from
// the unit-cost table, and its price), and FIND, which puts the least-cost
// thicknesses into the entry screen's fields and scroll bars, as FIT does,
// and says what the structure costs.  The designer still presses CONTINUE.
class LeastCostScreen : public Screen {
public:
    enum Control { kFind, kClose, kStatus, kFirstCourse };
    // A line per course: the material, the least and greatest thickness
    // fields, the price.  Five lines: the full-depth courses, or the three
    // overlay courses.
    static constexpr int kLines = 5;
    static constexpr int kControlsPerLine = 4;
    static int MaterialOf(int line) { return kFirstCourse + line * kControlsPerLine; }
    static int LeastOf(int line) { return MaterialOf(line) + 1; }
    static int GreatestOf(int line) { return MaterialOf(line) + 2; }
    static int PriceOf(int line) { return MaterialOf(line) + 3; }

    explicit LeastCostScreen(Program& program) : program_(program) {}

    // Opens the window for an entry screen's courses as they stand.
    void Open(ScreenId entry);
    ScreenId entry() const { return entry_; }

    void Click(int control) override;
    void CloseBox() override { program_.Hide(ScreenId::LeastCost); }

private:
    // The lines filled from the entry screen's rows; `keep` keeps the ranges
    // typed for a course whose material is the same.
    void Fill(bool keep);
    void Find();
    StructureEntryScreen& Entry();

    Program& program_;
    ScreenId entry_ = ScreenId::FullDepthEntry;
    std::vector<std::string> materials_;  // of each line as filled; empty: no course sized there
};

}  // namespace korvelle
