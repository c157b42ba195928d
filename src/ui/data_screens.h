#pragma once

#include <map>
#include <span>
#include <string>

#include "core/required_sn.h"
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
    // Refuses the first value that no design can have: the range message,
    // and the focus on its field.
    bool RefuseImpossible(std::span<const int> controls, const std::vector<FieldValue>& values);
    // Asks once, listing every value outside its normal range, whether to go
    // on with them; No puts the focus on the first of them.  A value the
    // designer has gone on with is not asked about again while its text
    // stays the same.  `limits` holds the limits held in the record as they
    // will be stored.
    bool ConfirmUnusual(std::span<const int> controls, const std::vector<FieldValue>& values,
                        const DesignRecord& limits);
    // Refuses with `message`, the focus on the field.
    bool Refuse(int control, std::string_view message);
    Program& program_;
    std::span<const FieldRule* const> fields_;

private:
    std::map<int, std::string> goneOnWith_;  // field -> text the designer went on with
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
        kRepresentativeEsal, kContinue, kClearForm, kQuit, kLdfLink, kCountyLink, kEsalLink, kBack
    };
    // The texts the screen first shows, as the start-up values of the record.
    static constexpr std::string_view kDefaultServiceability = "2.5";
    static constexpr std::string_view kDefaultSingleUnitEsal = "0.40";
    static constexpr std::string_view kDefaultMultiUnitEsal = "1.50";
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
    enum Control { kDesignerName, kComments, kDate, kOffice, kContinue, kClearForm, kQuit, kBack };
    enum Office { kUrbanDesign, kRoadDesign, kDistrict, kConsultantMajor, kConsultantMinor };
    explicit DesignerInformationScreen(Program& program);
    bool KeyPress(int control, int key) override;
    void Click(int control) override;

protected:
    void Load() override;
};

inline constexpr std::string_view kUnusualTitle = "CHECK VALUES";
inline constexpr std::string_view kUnusualQuestion = "These values lie outside their normal range:";
inline constexpr std::string_view kUnusualContinue = "Continue with them?";

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

// The design data screen's message for a required SN that cannot be computed.
std::string_view SnErrorMessage(SnError error);

}  // namespace korvelle
