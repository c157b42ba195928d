#pragma once

#include <vector>

#include "county_table.h"
#include "program.h"

namespace korvelle {

// Average 18-kip ESAL per truck for eleven mixes of single-unit and
// multiple-unit trucks; the designer's entry goes back to the design data
// screen's representative ESAL.
class EsalWorksheet : public Screen {
public:
    enum Control { kFirstAverage = 0, kLastAverage = 10, kEntry = 11 };
    static constexpr int kRows = 11;
    explicit EsalWorksheet(Program& program) : program_(program) {}
    // Row i: i x 10 % single-unit trucks, the rest multiple-unit trucks.
    static double Average(int row, float singleUnitEsal, float multiUnitEsal);
    // Refills the averages from the factors in the design record and empties
    // the entry field.
    void Refill();
    bool KeyPress(int control, int key) override;
    void CloseBox() override;

private:
    Program& program_;
};

// Guide table of trucks in the design lane; the entry goes back to the design
// data screen's lane distribution factor.
class LdfWorksheet : public Screen {
public:
    enum Control { kEntry };
    explicit LdfWorksheet(Program& program) : program_(program) {}
    bool KeyPress(int control, int key) override;
    void CloseBox() override;

private:
    Program& program_;
};

// Recommended soil support and regional factor by county.
class CountyWorksheet : public Screen {
public:
    enum Control { kList, kSoilSupport, kRegionalFactor, kAccept };
    explicit CountyWorksheet(Program& program) : program_(program) {}
    void SetTable(std::vector<CountyEntry> table) { table_ = std::move(table); }
    const std::vector<CountyEntry>& table() const { return table_; }
    void Changed(int control) override;
    void Click(int control) override;
    void CloseBox() override;

private:
    Program& program_;
    std::vector<CountyEntry> table_;
};

}  // namespace korvelle
