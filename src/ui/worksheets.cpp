#include "worksheets.h"

#include "core/number_format.h"
#include "core/number_text.h"
#include "data_screens.h"
#include "field_rules.h"

namespace korvelle {

double EsalWorksheet::Average(int row, float singleUnitEsal, float multiUnitEsal) {
    return (10 * row / 100.0) * singleUnitEsal + ((100 - 10 * row) / 100.0) * multiUnitEsal;
}

void EsalWorksheet::Refill() {
    const DesignRecord& record = program_.record();
    FormView& sheet = program_.view(ScreenId::EsalWorksheet);
    for (int row = 0; row < kRows; ++row) {
        sheet.SetText(kFirstAverage + row,
                      FormatNumber(Average(row, record.singleUnitEsal, record.multiUnitEsal), "#0.00"));
    }
    sheet.SetText(kEntry, "");
}

bool EsalWorksheet::KeyPress(int control, int key) {
    if (control != kEntry) return false;
    const std::string text = view().Text(kEntry);
    return FieldKeyPress(fields::kEsalWorksheetEntry, key, text, program_.record(), program_.desktop(), [&] {
        program_.view(ScreenId::DesignData)
            .SetText(DesignDataScreen::kRepresentativeEsal, FormatNumber(*ParseNumber(text), "#0.00"));
        program_.Move(ScreenId::EsalWorksheet, ScreenId::DesignData);
    });
}

void EsalWorksheet::CloseBox() { program_.Move(ScreenId::EsalWorksheet, ScreenId::DesignData); }

bool LdfWorksheet::KeyPress(int control, int key) {
    if (control != kEntry) return false;
    const std::string text = view().Text(kEntry);
    return FieldKeyPress(fields::kLdfWorksheetEntry, key, text, program_.record(), program_.desktop(), [&] {
        program_.view(ScreenId::DesignData).SetText(DesignDataScreen::kLdf, FormatNumber(*ParseNumber(text), "###.0"));
        program_.Move(ScreenId::LdfWorksheet, ScreenId::DesignData);
    });
}

void LdfWorksheet::CloseBox() { program_.Move(ScreenId::LdfWorksheet, ScreenId::DesignData); }

void CountyWorksheet::Changed(int control) {
    if (control != kList) return;
    const int position = view().Choice(kList);
    if (position < 0 || position >= static_cast<int>(table_.size())) return;
    view().SetText(kSoilSupport, table_[position].soilSupport);
    view().SetText(kRegionalFactor, table_[position].regionalFactor);
}

void CountyWorksheet::Click(int control) {
    if (control != kAccept) return;
    // With no county chosen and nothing typed there is nothing to hand back:
    // the values on the design data screen stay.
    const bool nothing = view().Choice(kList) < 0 && view().Text(kSoilSupport).empty() &&
                         view().Text(kRegionalFactor).empty();
    if (!nothing) {
        FormView& designData = program_.view(ScreenId::DesignData);
        designData.SetText(DesignDataScreen::kSoilSupport, view().Text(kSoilSupport));
        designData.SetText(DesignDataScreen::kRegionalFactor, view().Text(kRegionalFactor));
    }
    program_.Move(ScreenId::CountyWorksheet, ScreenId::DesignData);
}

void CountyWorksheet::CloseBox() { program_.Move(ScreenId::CountyWorksheet, ScreenId::DesignData); }

}  // namespace korvelle
