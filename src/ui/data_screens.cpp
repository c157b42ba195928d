#include "data_screens.h"

#include <array>
#include <string>

#include "core/number_format.h"
#include "core/required_sn.h"
#include "startup_screens.h"
#include "worksheets.h"

namespace korvelle {

bool FieldScreen::KeyPress(int control, int key) {
    if (control < 0 || control >= static_cast<int>(fields_.size())) return false;
    return FieldKeyPress(*fields_[control], key, view().Text(control), program_.record(), program_.desktop(),
                         [this, control] { view().Focus(control + 1); });
}

void FieldScreen::Reset() {
    goneOnWith_.clear();
    Screen::Reset();
}

void FieldScreen::Report(const DesignRefusal& refusal) {
    ReportError(program_.desktop(), refusal.message);
    if (refusal.focusesField) view().Focus(refusal.control);
}

bool FieldScreen::Passes(const ScreenCheck& check) {
    if (check.refusal && !check.afterQuestion) {
        Report(*check.refusal);
        return false;
    }
    if (!ConfirmUnusual(check.unusual)) return false;
    if (check.refusal) {
        Report(*check.refusal);
        return false;
    }
    return true;
}

bool FieldScreen::ConfirmUnusual(const std::vector<UnusualValue>& unusual) {
    std::vector<int> asked;
    std::string list;
    for (const UnusualValue& value : unusual) {
        auto kept = goneOnWith_.find(value.control);
        if (kept != goneOnWith_.end() && kept->second == view().Text(value.control)) continue;
        asked.push_back(value.control);
        list += "\n" + value.Line();
    }
    if (asked.empty()) return true;
    const std::string question = std::string(kUnusualQuestion) + "\n" + list + "\n\n" + std::string(kUnusualContinue);
    if (program_.desktop().Ask(question, std::string(kUnusualTitle), Question::YesNo) != Answer::Yes) {
        view().Focus(asked.front());
        return false;
    }
    for (int control : asked) goneOnWith_[control] = view().Text(control);
    return true;
}

ProjectInformationScreen::ProjectInformationScreen(Program& program)
    : FieldScreen(program, ProjectInformationFields()) {}

void ProjectInformationScreen::Click(int control) {
    switch (control) {
        case kContinue: {
            ScreenCheck check = CheckProjectInformation(FieldTexts<kProjectFields>(), program_.record());
            if (!Passes(check)) return;
            program_.record() = std::move(check.record);
            program_.Move(ScreenId::ProjectInformation, ScreenId::DesignData);
            break;
        }
        case kClearForm:
            for (int field = kProjectNumber; field <= kTruckPercent; ++field) view().SetText(field, "");
            break;
        case kQuit: program_.Quit(); break;
        default: break;
    }
}

DesignDataScreen::DesignDataScreen(Program& program) : FieldScreen(program, DesignDataFields()) {}

void DesignDataScreen::Load() {
    view().SetText(kTerminalServiceability, std::string(kDefaultServiceability));
    view().SetText(kSingleUnitEsal, std::string(kDefaultSingleUnitEsal));
    view().SetText(kMultiUnitEsal, std::string(kDefaultMultiUnitEsal));
}

void DesignDataScreen::Click(int control) {
    switch (control) {
        case kContinue: Continue(); break;
        case kClearForm:
            for (int field : {kLdf, kSoilSupport, kRegionalFactor, kRepresentativeEsal}) view().SetText(field, "");
            break;
        case kQuit: program_.Quit(); break;
        case kBack: program_.Move(ScreenId::DesignData, ScreenId::ProjectInformation); break;
        case kLdfLink: program_.Move(ScreenId::DesignData, ScreenId::LdfWorksheet); break;
        case kCountyLink: program_.Move(ScreenId::DesignData, ScreenId::CountyWorksheet); break;
        case kEsalLink: OpenEsalWorksheet(); break;
        default: break;
    }
}

void DesignDataScreen::Continue() {
    // Worked out on a copy: the record changes only when the required SN has
    // been computed.
    ScreenCheck check = CheckDesignData(FieldTexts<kDesignDataFields>(), program_.record());
    if (!Passes(check)) return;
    program_.record() = std::move(check.record);
    program_.Move(ScreenId::DesignData, ScreenId::DesignerInformation);
}

void DesignDataScreen::OpenEsalWorksheet() {
    // The worksheet's averages come from the two factors as typed.
    DesignRecord& record = program_.record();
    std::array<FieldValue, 2> values;
    std::size_t i = 0;
    for (int control : {kSingleUnitEsal, kMultiUnitEsal}) {
        auto value = ConvertField(*fields_[control], view().Text(control));
        if (!value) {
            ReportError(program_.desktop(), kNumberNeededMessage);
            return;
        }
        values[i++] = *value;
    }
    StoreField(*fields_[kSingleUnitEsal], values[0], record);
    StoreField(*fields_[kMultiUnitEsal], values[1], record);
    program_.logic<EsalWorksheet>(ScreenId::EsalWorksheet).Refill();
    program_.Move(ScreenId::DesignData, ScreenId::EsalWorksheet);
}

DesignerInformationScreen::DesignerInformationScreen(Program& program)
    : FieldScreen(program, DesignerInformationFields()) {}

void DesignerInformationScreen::Load() {
    CalendarDate today = program_.desktop().Today();
    view().SetText(kDate, FormatLongDate(today.year, today.month, today.day));
    view().SetChoice(kOffice, kUrbanDesign);
}

bool DesignerInformationScreen::KeyPress(int control, int key) {
    if (control == kComments) {  // Enter in the comments goes to CONTINUE, past the date
        return FieldKeyPress(*fields_[1], key, view().Text(control), program_.record(), program_.desktop(),
                             [this] { view().Focus(kContinue); });
    }
    return FieldScreen::KeyPress(control, key);
}

void DesignerInformationScreen::Click(int control) {
    DesignRecord& record = program_.record();
    switch (control) {
        case kOffice: record.officeIndex = static_cast<std::int16_t>(view().Choice(kOffice)); break;
        case kContinue:
            StoreDesignerInformation(FieldTexts<kDesignerFields>(), record);
            program_.logic<MainMenu>(ScreenId::MainMenu).SelectFullDepth();
            program_.Move(ScreenId::DesignerInformation, ScreenId::MainMenu);
            break;
        case kClearForm:
            view().SetText(kDesignerName, "");
            view().SetText(kComments, "");
            break;
        case kBack: program_.Move(ScreenId::DesignerInformation, ScreenId::DesignData); break;
        case kQuit: program_.Quit(); break;
        default: break;
    }
}

}  // namespace korvelle
