#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "county_table.h"
#include "field_rules.h"
#include "program.h"

namespace korvelle {

// A worksheet opened from the design data screen.  It hands a value back
// into that screen and returns there; BACK, Escape and the close box return
// there with nothing written, and leave the worksheet as it was when it was
// opened, so that a design saved afterwards holds no half-made choice.  An
// entry refused on Enter has been stored in the record, as on every
// numeric field: BACK puts the record's value back too.
class Worksheet : public Screen {
public:
    // Remembers the worksheet's state as it is opened.
    void Shown() override;
    void CloseBox() override { Back(); }

protected:
    // `texts` and `choices`: the controls whose state BACK puts back;
    // `entry`: the rule of the field that writes into the record, if any.
    Worksheet(Program& program, ScreenId id, std::vector<int> texts, std::vector<int> choices,
              const FieldRule* entry = nullptr)
        : program_(program),
          id_(id),
          textControls_(std::move(texts)),
          choiceControls_(std::move(choices)),
          entry_(entry) {}
    // Puts the worksheet back as it was opened and returns to the design
    // data screen.
    void Back();
    // Returns to the design data screen, the worksheet as it stands.
    void ReturnToDesignData() { program_.Move(id_, ScreenId::DesignData); }

    Program& program_;

private:
    ScreenId id_;
    std::vector<int> textControls_;
    std::vector<int> choiceControls_;
    std::map<int, std::string> openedTexts_;
    std::map<int, int> openedChoices_;
    const FieldRule* entry_;
    std::optional<FieldValue> openedValue_;
};

// Average 18-kip ESAL per truck for eleven mixes of single-unit and
// multiple-unit trucks; the designer's entry goes back to the design data
// screen's representative ESAL.
class EsalWorksheet : public Worksheet {
public:
    enum Control { kFirstAverage = 0, kLastAverage = 10, kEntry = 11, kBack = 12 };
    static constexpr int kRows = 11;
    explicit EsalWorksheet(Program& program) : Worksheet(program, ScreenId::EsalWorksheet, {kEntry}, {}, &fields::kEsalWorksheetEntry) {}
    // Row i: i x 10 % single-unit trucks, the rest multiple-unit trucks.
    static double Average(int row, float singleUnitEsal, float multiUnitEsal);
    // Refills the averages from the factors in the design record and empties
    // the entry field.
    void Refill();
    bool KeyPress(int control, int key) override;
    void Click(int control) override;
};

// Guide table of trucks in the design lane; the entry goes back to the design
// data screen's lane distribution factor.
class LdfWorksheet : public Worksheet {
public:
    enum Control { kEntry, kBack };
    explicit LdfWorksheet(Program& program) : Worksheet(program, ScreenId::LdfWorksheet, {kEntry}, {}, &fields::kLdfWorksheetEntry) {}
    bool KeyPress(int control, int key) override;
    void Click(int control) override;
};

// Recommended soil support and regional factor by county.
class CountyWorksheet : public Worksheet {
public:
    enum Control { kList, kSoilSupport, kRegionalFactor, kAccept, kBack };
    explicit CountyWorksheet(Program& program)
        : Worksheet(program, ScreenId::CountyWorksheet, {kSoilSupport, kRegionalFactor}, {kList}) {}
    void SetTable(std::vector<CountyEntry> table) { table_ = std::move(table); }
    const std::vector<CountyEntry>& table() const { return table_; }
    void Changed(int control) override;
    void Click(int control) override;

private:
    std::vector<CountyEntry> table_;
};

}  // namespace korvelle
