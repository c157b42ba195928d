#pragma once

#include <span>

#include "field_rules.h"
#include "program.h"

namespace korvelle {

// A screen of typed fields: Enter moves through them in order and checks the
// numeric ones; the control after the last field (CONTINUE) takes the focus
// after it.  Controls 0 to N-1 are the fields, in Enter order.
class FieldScreen : public Screen {
public:
    FieldScreen(Program& program, std::span<const FieldRule* const> fields) : program_(program), fields_(fields) {}
    bool KeyPress(int control, int key) override;
    void CloseBox() override { program_.Quit(); }
    std::span<const FieldRule* const> fields() const { return fields_; }

protected:
    // Converts the given numeric fields' whole texts; on the first that is not
    // a number of its type, reports it and returns false.
    bool ConvertFields(std::span<const int> controls, std::vector<FieldValue>& values);
    // True when none of the given fields is empty; otherwise reports it.
    bool RequiredFilled(std::span<const int> controls);
    Program& program_;
    std::span<const FieldRule* const> fields_;
};

class ProjectInformationScreen : public FieldScreen {
public:
    enum Control {
        kProjectNumber, kPiNumber, kCounty, kDescription, kInitialYear, kInitialTraffic, kFinalYear,
        kFinalTraffic, kTruckPercent, kContinue, kClearForm, kQuit
    };
    explicit ProjectInformationScreen(Program& program);
    void Click(int control) override;
};

class DesignDataScreen : public FieldScreen {
public:
    enum Control {
        kLdf, kTerminalServiceability, kSoilSupport, kRegionalFactor, kSingleUnitEsal, kMultiUnitEsal,
        kRepresentativeEsal, kContinue, kClearForm, kQuit, kLdfLink, kCountyLink, kEsalLink
    };
    explicit DesignDataScreen(Program& program);
    void Click(int control) override;

protected:
    void Load() override;

private:
    void Continue();
    void OpenEsalWorksheet();
};

class DesignerInformationScreen : public FieldScreen {
public:
    enum Control { kDesignerName, kComments, kDate, kOffice, kContinue, kClearForm, kQuit };
    enum Office { kUrbanDesign, kRoadDesign, kDistrict, kConsultantMajor, kConsultantMinor };
    explicit DesignerInformationScreen(Program& program);
    bool KeyPress(int control, int key) override;
    void Click(int control) override;

protected:
    void Load() override;
};

// Messages of the design data screen when the required SN cannot be computed.
inline constexpr std::string_view kPeriodMessage = "The final design year must be later than the initial design year";
inline constexpr std::string_view kRegionalFactorMessage = "The regional factor must be greater than 0";
inline constexpr std::string_view kServiceabilityMessage = "The terminal serviceability index must be less than 4.2";
inline constexpr std::string_view kLoadingTooLargeMessage =
    "The design loading is too large to compute: please check the traffic and design data";
inline constexpr std::string_view kNoLoadingMessage =
    "The design loading must be greater than 0: please check the traffic and design data";
inline constexpr std::string_view kNoSnMessage =
    "The required SN cannot be computed from these data: please check the design data";

}  // namespace korvelle
