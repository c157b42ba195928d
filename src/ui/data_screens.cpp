#include "data_screens.h"

#include <array>
#include <string>

#include "core/number_format.h"
#include "core/required_sn.h"
#include "startup_screens.h"
#include "worksheets.h"

namespace korvelle {

std::string_view SnErrorMessage(SnError error) {
    switch (error) {
        case SnError::DesignPeriodNotPositive: return kPeriodMessage;
        case SnError::RegionalFactorNotPositive: return kRegionalFactorMessage;
        case SnError::ServiceabilityLossNotPositive: return kServiceabilityMessage;
        case SnError::TrafficOverflow: return kLoadingTooLargeMessage;
        case SnError::LoadingNotPositive: return kNoLoadingMessage;
        default: return kNoSnMessage;
    }
}

bool FieldScreen::KeyPress(int control, int key) {
    if (control < 0 || control >= static_cast<int>(fields_.size())) return false;
    return FieldKeyPress(*fields_[control], key, view().Text(control), program_.record(), program_.desktop(),
                         [this, control] { view().Focus(control + 1); });
}

bool FieldScreen::RequiredFilled(std::span<const int> controls) {
    for (int control : controls) {
        if (view().Text(control).empty()) {
            ReportError(program_.desktop(), kRequiredMessage);
            return false;
        }
    }
    return true;
}

bool FieldScreen::ConvertFields(std::span<const int> controls, std::vector<FieldValue>& values) {
    values.clear();
    for (int control : controls) {
        auto value = ConvertField(*fields_[control], view().Text(control));
        if (!value) {
            ReportError(program_.desktop(), kNumberNeededMessage);
            return false;
        }
        values.push_back(*value);
    }
    return true;
}

bool FieldScreen::Refuse(int control, std::string_view message) {
    ReportError(program_.desktop(), message);
    view().Focus(control);
    return false;
}

bool FieldScreen::RefuseImpossible(std::span<const int> controls, const std::vector<FieldValue>& values) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (Impossible(*fields_[controls[i]], values[i])) return Refuse(controls[i], kRangeMessage);
    }
    return true;
}

bool FieldScreen::ConfirmUnusual(std::span<const int> controls, const std::vector<FieldValue>& values,
                                 const DesignRecord& limits) {
    std::vector<int> unusual;
    std::string list;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const int control = controls[i];
        const FieldRule& rule = *fields_[control];
        const std::string text = view().Text(control);
        if (!OutsideNormalRange(rule, values[i], limits)) continue;
        auto kept = goneOnWith_.find(control);
        if (kept != goneOnWith_.end() && kept->second == text) continue;
        unusual.push_back(control);
        const auto first = text.find_first_not_of(' ');
        const auto last = text.find_last_not_of(' ');
        list += "\n" + std::string(rule.caption) + " " + text.substr(first, last - first + 1) + " (normal range " +
                NormalRangeText(rule, limits) + ")";
    }
    if (unusual.empty()) return true;
    const std::string question = std::string(kUnusualQuestion) + "\n" + list + "\n\n" + std::string(kUnusualContinue);
    if (program_.desktop().Ask(question, std::string(kUnusualTitle), Question::YesNo) != Answer::Yes) {
        view().Focus(unusual.front());
        return false;
    }
    for (int control : unusual) goneOnWith_[control] = view().Text(control);
    return true;
}

ProjectInformationScreen::ProjectInformationScreen(Program& program)
    : FieldScreen(program, ProjectInformationFields()) {}

void ProjectInformationScreen::Click(int control) {
    static constexpr std::array<int, 5> kRequired = {kInitialYear, kInitialTraffic, kFinalYear, kFinalTraffic,
                                                     kTruckPercent};
    switch (control) {
        case kContinue: {
            std::vector<FieldValue> values;
            if (!RequiredFilled(kRequired) || !ConvertFields(kRequired, values) ||
                !RefuseImpossible(kRequired, values)) {
                return;
            }
            // The initial and final years are the first and third values.
            if (std::get<std::int16_t>(values[2]) <= std::get<std::int16_t>(values[0])) {
                Refuse(kFinalYear, kPeriodMessage);
                return;
            }
            if (!ConfirmUnusual(kRequired, values, program_.record())) return;
            DesignRecord& record = program_.record();
            record.projectNumber = view().Text(kProjectNumber);
            record.piNumber = view().Text(kPiNumber);
            record.countyName = view().Text(kCounty);
            record.projectDescription = view().Text(kDescription);
            for (std::size_t i = 0; i < kRequired.size(); ++i) StoreField(*fields_[kRequired[i]], values[i], record);
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
    static constexpr std::array<int, 7> kAll = {kLdf, kTerminalServiceability, kSoilSupport, kRegionalFactor,
                                                kSingleUnitEsal, kMultiUnitEsal, kRepresentativeEsal};
    std::vector<FieldValue> values;
    if (!RequiredFilled(kAll) || !ConvertFields(kAll, values) || !RefuseImpossible(kAll, values)) return;
    // Worked out on a copy: the record changes only when the required SN has
    // been computed.
    DesignRecord design = program_.record();
    for (std::size_t i = 0; i < kAll.size(); ++i) StoreField(*fields_[kAll[i]], values[i], design);

    // The design equation needs a serviceability loss above zero.
    if (!LeavesServiceabilityToLose(design.terminalServiceability)) {
        Refuse(kTerminalServiceability, kServiceabilityMessage);
        return;
    }
    // The representative ESAL's range is that of the two factors as stored now.
    if (!ConfirmUnusual(kAll, values, design)) return;
    design.serviceabilityLoss = ServiceabilityLoss(design.terminalServiceability);
    SnStatus status = ComputeRequiredSn(design);
    if (!status) {
        ReportError(program_.desktop(), SnErrorMessage(status.error()));
        return;
    }
    program_.record() = design;
    program_.Move(ScreenId::DesignData, ScreenId::DesignerInformation);
}

void DesignDataScreen::OpenEsalWorksheet() {
    static constexpr std::array<int, 2> kFactors = {kSingleUnitEsal, kMultiUnitEsal};
    std::vector<FieldValue> values;
    if (!ConvertFields(kFactors, values)) return;
    DesignRecord& record = program_.record();
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
            record.designerName = view().Text(kDesignerName);
            record.designComments = view().Text(kComments);
            record.designDate = view().Text(kDate);
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
