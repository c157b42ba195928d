#pragma once

#include <array>
#include <map>
#include <span>
#include <string>

#include "core/required_sn.h"
#include "design_rules.h"
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

    // A new design: the screen as it first shows, nothing gone on with.
    void Reset() override;

protected:
    // The texts of the first N controls, the fields.
    template <std::size_t N>
    std::array<std::string, N> FieldTexts() {
        std::array<std::string, N> texts;
        for (std::size_t i = 0; i < N; ++i) texts[i] = view().Text(static_cast<int>(i));
        return texts;
    }
    // Reports a refusal: the message, and the keyboard on its field where the
    // screen puts it there.
    void Report(const DesignRefusal& refusal);
    // Reports the check's refusal, or asks about its unusual values; true
    // when the screen may store the check's record and go on.
    bool Passes(const ScreenCheck& check);
    Program& program_;
    std::span<const FieldRule* const> fields_;

private:
    // Asks once, listing every value outside its normal range, whether to go
    // on with them; No puts the focus on the first of them.  A value the
    // designer has gone on with is not asked about again while its text
    // stays the same.
    bool ConfirmUnusual(const std::vector<UnusualValue>& unusual);
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

}  // namespace korvelle
