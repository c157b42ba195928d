#include "worksheets.h"

#include "core/number_format.h"
#include "core/number_text.h"
#include "data_screens.h"
#include "field_rules.h"

namespace korvelle {

void Worksheet::Shown() {
    for (int control : textControls_) openedTexts_[control] = view().Text(control);
    for (int control : choiceControls_) openedChoices_[control] = view().Choice(control);
    if (entry_) openedValue_ = StoredField(*entry_, program_.record());
}

void Worksheet::Back() {
    // Choices first: choosing in a list fills boxes that the texts then
    // put back as they were.
    for (const auto& [control, choice] : openedChoices_) view().SetChoice(control, choice);
    for (const auto& [control, text] : openedTexts_) view().SetText(control, text);
    if (entry_ && openedValue_) StoreField(*entry_, *openedValue_, program_.record());
    ReturnToDesignData();
}

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
        ReturnToDesignData();
    });
}

void EsalWorksheet::Click(int control) {
    if (control == kBack) Back();
}

bool LdfWorksheet::KeyPress(int control, int key) {
    if (control != kEntry) return false;
    const std::string text = view().Text(kEntry);
    return FieldKeyPress(fields::kLdfWorksheetEntry, key, text, program_.record(), program_.desktop(), [&] {
        program_.view(ScreenId::DesignData).SetText(DesignDataScreen::kLdf, FormatNumber(*ParseNumber(text), "###.0"));
        ReturnToDesignData();
    });
}

void LdfWorksheet::Click(int control) {
    if (control == kBack) Back();
}

void CountyWorksheet::Changed(int control) {
    if (control != kList) return;
    const int position = view().Choice(kList);
    if (position < 0 || position >= static_cast<int>(table_.size())) return;
    view().SetText(kSoilSupport, table_[position].soilSupport);
    view().SetText(kRegionalFactor, table_[position].regionalFactor);
}

void CountyWorksheet::Click(int control) {
    if (control == kBack) {
        Back();
        return;
    }
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
    ReturnToDesignData();
}

}  // namespace korvelle
