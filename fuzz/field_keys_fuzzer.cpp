// The keystroke procedure of every typed field, fed random key sequences,
// pastes and texts; and the data entry screens driven by keys and buttons.
//
// Each field is a text box as the window has it: a printable key is inserted
// unless the box is full, backspace takes the last character, other control
// keys insert nothing, a paste is cut at the maximum length.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_text.h"
#include "fuzz_support.h"
#include "ui/data_screens.h"
#include "ui/field_rules.h"
#include "ui/worksheets.h"

namespace {

using namespace korvelle;
using korvelle::fuzz::Check;
using korvelle::fuzz::FirstDifference;
using korvelle::fuzz::Shown;

constexpr int kBackspace = 8;

const std::array<const FieldRule*, 20> kAllFields = {
    &fields::kProjectNumber,   &fields::kPiNumber,        &fields::kCounty,
    &fields::kDescription,     &fields::kInitialYear,     &fields::kInitialTraffic,
    &fields::kFinalYear,       &fields::kFinalTraffic,    &fields::kTruckPercent,
    &fields::kDesignerName,    &fields::kComments,        &fields::kLdf,
    &fields::kTerminalServiceability, &fields::kSoilSupport, &fields::kRegionalFactor,
    &fields::kSingleUnitEsal,  &fields::kMultiUnitEsal,   &fields::kRepresentativeEsal,
    &fields::kEsalWorksheetEntry, &fields::kLdfWorksheetEntry};

// The field table as the screens promise it: caption, maximum length, the
// comma key discarded, and the normal range (NaN: held in the record).
struct Expected {
    std::string_view caption;
    int maxLength;
    bool numeric;
    bool discardComma;
    double lower, upper;
};
constexpr double kHeld = NAN;
const std::array<Expected, 20> kTable = {{
    {"PROJECT NO.", 41, false, false, 0, 0},
    {"P.I. NO.", 7, false, false, 0, 0},
    {"COUNTY", 15, false, false, 0, 0},
    {"DESCRIPTION (65 CHAR. MAX.)", 65, false, false, 0, 0},
    {"INITIAL DESIGN YEAR", 4, true, false, 1972, 2100},
    {"INITIAL 1-WAY TRAFFIC", 0, true, true, 1, 300000},
    {"FINAL DESIGN YEAR", 4, true, false, 1972, 2100},
    {"FINAL 1-WAY TRAFFIC", 0, true, true, 1, 300000},
    {"24-HOUR TRUCK %", 0, true, false, 0, 100},
    {"DESIGNER'S NAME AND TITLE", 39, false, false, 0, 0},
    {"COMMENTS", 60, false, false, 0, 0},
    {"LANE DISTRIBUTION FACTOR", 0, true, false, 0.1, 100},
    {"TERMINAL SERVICEABILITY INDEX", 0, true, false, 1.5, 4.1},
    {"SOIL SUPPORT", 0, true, false, 0.5, 10},
    {"REGIONAL FACTOR", 0, true, false, 1.0, 3.0},
    {"SINGLE UNIT E.S.A.L.", 0, true, false, 0.05, 2.5},
    {"MULTIPLE UNIT E.S.A.L.", 0, true, false, 0.2, 5.5},
    {"REPRESENTATIVE 18-KIP  E.S.A.L.", 0, true, false, kHeld, kHeld},
    {"ENTER VALUE FOR ESAL", 0, true, false, kHeld, kHeld},
    {"ENTER VALUE FOR LDF", 0, true, false, 0.1, 100},
}};

void CheckTable() {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        const FieldRule& rule = *kAllFields[i];
        const Expected& e = kTable[i];
        const std::string caption(e.caption);
        Check(rule.caption == e.caption, "field captions", caption);
        Check(rule.maxLength == e.maxLength, "maximum lengths of the fields", caption);
        Check(rule.numeric() == e.numeric, "numeric fields", caption);
        Check(rule.discardComma == e.discardComma, "only traffic fields discard the comma", caption);
        if (!e.numeric) continue;
        if (std::isnan(e.lower)) {
            Check(rule.lower.field == &DesignRecord::singleUnitEsal && rule.upper.field == &DesignRecord::multiUnitEsal,
                  "the representative ESAL lies between the two truck factors held", caption);
        } else {
            Check(!rule.lower.field && !rule.upper.field && rule.lower.value == e.lower && rule.upper.value == e.upper,
                  "fixed normal ranges", caption);
        }
    }
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The characters of a well-formed UTF-8 text.
std::u32string Decode(std::string_view text) {
    std::u32string characters;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
        for (int k = 1; k < length && i + k < text.size(); ++k) c = (c << 6) | (text[i + k] & 0x3F);
        characters.push_back(c);
        i += length;
    }
    return characters;
}

bool Printable(char32_t c) {
    return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && !(c >= 0xD800 && c <= 0xDFFF) && c <= 0x10FFFF;
}

// A single-line text box with an optional maximum length.
struct Box {
    std::u32string characters;
    int maxLength = 0;

    std::string Text() const {
        std::string text;
        for (char32_t c : characters) AppendUtf8(text, c);
        return text;
    }
    bool Full() const { return maxLength > 0 && characters.size() >= static_cast<std::size_t>(maxLength); }
    // A key the logic let through.
    void Key(int key) {
        if (key == kBackspace) {
            if (!characters.empty()) characters.pop_back();
        } else if (Printable(static_cast<char32_t>(key)) && !Full()) {
            characters.push_back(static_cast<char32_t>(key));
        }
    }
    void Paste(const std::u32string& text) {
        for (char32_t c : text) {
            if (Printable(c) && !Full()) characters.push_back(c);
        }
    }
};

int PickKey(FuzzedDataProvider& in) {
    static constexpr std::string_view kTyped = "0123456789..--++  ,,eE\r\b\t\x1b\x7f" "abcXYZ%$";
    switch (in.ConsumeIntegralInRange<int>(0, 5)) {
        case 0: return kEnterKey;
        case 1: return in.ConsumeIntegralInRange<int>(0, 0x1F);
        case 2: return in.ConsumeIntegralInRange<int>(0x80, 0xFFFF);
        default: return static_cast<unsigned char>(kTyped[in.ConsumeIntegralInRange<std::size_t>(0, kTyped.size() - 1)]);
    }
}

std::u32string PickPaste(FuzzedDataProvider& in) {
    std::u32string text;
    const std::string bytes = in.ConsumeRandomLengthString(1200);
    for (char c : bytes) text.push_back(static_cast<unsigned char>(c));
    if (in.ConsumeBool()) {  // a long paste
        text += std::u32string(in.ConsumeIntegralInRange<std::size_t>(0, 1000), U'7');
    }
    return text;
}

// The value a numeric field's record field holds, as a double.
double Held(const FieldRule& rule, const DesignRecord& record) {
    if (auto p = std::get_if<std::int16_t DesignRecord::*>(&rule.target)) return record.**p;
    if (auto p = std::get_if<std::int32_t DesignRecord::*>(&rule.target)) return record.**p;
    if (auto p = std::get_if<float DesignRecord::*>(&rule.target)) return record.**p;
    return NAN;
}

bool InRange(const FieldValue& value, const FieldRule& rule, const DesignRecord& record) {
    if (auto f = std::get_if<float>(&value)) {
        return *f >= static_cast<float>(rule.lower.Of(record)) && *f <= static_cast<float>(rule.upper.Of(record));
    }
    const double v = std::holds_alternative<std::int16_t>(value) ? std::get<std::int16_t>(value)
                                                                 : std::get<std::int32_t>(value);
    return v >= rule.lower.Of(record) && v <= rule.upper.Of(record);
}

// One key through the keystroke procedure, and what it must have done.
bool Press(const FieldRule& rule, int key, const std::string& text, DesignRecord& record, fuzz::FuzzDesktop& desktop) {
    const DesignRecord before = record;
    desktop.Clear();
    int accepted = 0;
    const bool discard = FieldKeyPress(rule, key, text, record, desktop, [&] { ++accepted; });
    const std::string where = std::string(rule.caption) + ": " + Shown(text);
    Check(desktop.beeps == static_cast<int>(desktop.messages.size()) && desktop.messages.size() <= 1,
          "at most one message, with its beep", where);

    if (key != kEnterKey) {
        Check(discard == (rule.discardComma && key == kCommaKey), "only Enter and a traffic comma are discarded", where);
        Check(accepted == 0 && desktop.messages.empty(), "a key other than Enter checks nothing", where);
        Check(FirstDifference(before, record).empty(), "a key other than Enter writes nothing", where);
        return discard;
    }
    Check(discard, "Enter never reaches the box", where);
    if (!rule.numeric()) {
        Check(accepted == 1 && desktop.messages.empty(), "Enter in a text field moves on", where);
        Check(FirstDifference(before, record).empty(), "Enter in a text field writes nothing", where);
        return discard;
    }
    const auto value = ConvertField(rule, text);
    if (!(LeadingValue(text) > 0.0) || !value) {
        const std::string_view message = !(LeadingValue(text) > 0.0) ? kRangeMessage : kNumberNeededMessage;
        Check(accepted == 0 && desktop.messages.size() == 1 && desktop.messages[0] == message,
              "a text that is not a positive number is refused with its message", where);
        Check(FirstDifference(before, record).empty(), "a refused text writes nothing", where);
        return discard;
    }
    // The value is written, whatever the range test says, and nothing else.
    DesignRecord restored = record;
    StoreField(rule, std::visit([&](auto v) { return FieldValue(decltype(v)(Held(rule, before))); }, *value),
               restored);
    Check(FirstDifference(before, restored).empty(), "Enter writes only the field's own record field", where);
    const double held = Held(rule, record);
    Check(std::isfinite(held), "a value written is finite", where);
    std::visit([&](auto v) { Check(static_cast<double>(v) == held, "the value written is the text converted", where); },
               *value);
    if (InRange(*value, rule, record)) {
        Check(accepted == 1 && desktop.messages.empty(), "a value in its normal range is accepted", where);
    } else {
        Check(accepted == 0 && desktop.messages.size() == 1 && desktop.messages[0] == kRangeMessage,
              "a value outside its range is refused with the range message", where);
    }
    return discard;
}

// Random keys, pastes and texts into the fields of the table, one record
// shared by all of them (so the truck factors move the ESAL range).
void FieldProcedure(FuzzedDataProvider& in) {
    DesignRecord record;
    record.singleUnitEsal = in.ConsumeFloatingPoint<float>();
    record.multiUnitEsal = in.ConsumeFloatingPoint<float>();
    fuzz::FuzzDesktop desktop;
    std::array<Box, kAllFields.size()> boxes;
    for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i].maxLength = kAllFields[i]->maxLength;

    for (int steps = 0; steps < 400 && in.remaining_bytes() > 0; ++steps) {
        const std::size_t f = in.ConsumeIntegralInRange<std::size_t>(0, kAllFields.size() - 1);
        const FieldRule& rule = *kAllFields[f];
        Box& box = boxes[f];
        switch (in.ConsumeIntegralInRange<int>(0, 9)) {
            case 6: box.Paste(PickPaste(in)); break;
            case 7: Press(rule, kEnterKey, in.ConsumeRandomLengthString(400), record, desktop); break;
            case 8: box.characters.clear(); break;
            case 9: Press(rule, kEnterKey, box.Text(), record, desktop); break;
            default: {
                const int key = PickKey(in);
                if (!Press(rule, key, box.Text(), record, desktop)) box.Key(key);
            }
        }
        Check(box.maxLength == 0 || box.characters.size() <= static_cast<std::size_t>(box.maxLength),
              "a field's text never exceeds its maximum length", std::string(rule.caption));
    }
}

// The data entry screens and the two worksheets with an entry field, through
// the program: keys, pastes and buttons in any order.
void Screens(FuzzedDataProvider& in) {
    DesignRecord record;
    fuzz::FuzzDesktop desktop;
    fuzz::FuzzWindows windows;
    Program program(record, desktop, windows);
    program.Start();

    struct Target {
        ScreenId id;
        std::vector<int> fields;   // controls that are typed fields
        std::vector<int> buttons;  // controls that are clicked
    };
    using P = ProjectInformationScreen;
    using D = DesignDataScreen;
    using G = DesignerInformationScreen;
    const std::array<Target, 5> targets = {{
        {ScreenId::ProjectInformation,
         {P::kProjectNumber, P::kPiNumber, P::kCounty, P::kDescription, P::kInitialYear, P::kInitialTraffic,
          P::kFinalYear, P::kFinalTraffic, P::kTruckPercent},
         {P::kContinue, P::kClearForm}},
        {ScreenId::DesignData,
         {D::kLdf, D::kTerminalServiceability, D::kSoilSupport, D::kRegionalFactor, D::kSingleUnitEsal,
          D::kMultiUnitEsal, D::kRepresentativeEsal},
         {D::kContinue, D::kClearForm, D::kEsalLink, D::kLdfLink, D::kCountyLink}},
        {ScreenId::DesignerInformation, {G::kDesignerName, G::kComments, G::kDate}, {G::kContinue, G::kClearForm}},
        {ScreenId::EsalWorksheet, {EsalWorksheet::kEntry}, {}},
        {ScreenId::LdfWorksheet, {LdfWorksheet::kEntry}, {}},
    }};
    // Most of the time start from a complete worked example, so that the
    // computation behind CONTINUE is reached: 1000 vehicles a day from 2000
    // to 2020, 10 % trucks, all in the design lane at 1.0 ESAL, S 4.0, R 1.0.
    if (in.ConsumeIntegralInRange<int>(0, 3) != 0) {
        FormView& project = program.view(ScreenId::ProjectInformation);
        for (auto [control, text] : {std::pair{P::kInitialYear, "2000"}, {P::kInitialTraffic, "1000"},
                                     {P::kFinalYear, "2020"}, {P::kFinalTraffic, "1000"}, {P::kTruckPercent, "10"}}) {
            project.SetText(control, text);
        }
        FormView& design = program.view(ScreenId::DesignData);
        for (auto [control, text] : {std::pair{D::kLdf, "100"}, {D::kSoilSupport, "4.0"}, {D::kRegionalFactor, "1.0"},
                                     {D::kRepresentativeEsal, "1.00"}}) {
            design.SetText(control, text);
        }
    }
    static const std::array<std::string_view, 9> kKnownMessages = {
        kRangeMessage,         kRequiredMessage, kNumberNeededMessage, kPeriodMessage,   kRegionalFactorMessage,
        kServiceabilityMessage, kLoadingTooLargeMessage, kNoLoadingMessage, kNoSnMessage};

    for (int steps = 0; steps < 300 && in.remaining_bytes() > 0; ++steps) {
        const Target& target = targets[in.ConsumeIntegralInRange<std::size_t>(0, targets.size() - 1)];
        Screen& logic = program.logic(target.id);
        FormView& view = program.view(target.id);
        desktop.Clear();
        const DesignRecord before = record;
        const int action = in.ConsumeIntegralInRange<int>(0, 9);
        if (action < 6 || target.buttons.empty()) {
            const int control = target.fields[in.ConsumeIntegralInRange<std::size_t>(0, target.fields.size() - 1)];
            int maxLength = 0;
            if (target.id == ScreenId::ProjectInformation) maxLength = ProjectInformationFields()[control]->maxLength;
            if (target.id == ScreenId::DesignerInformation && control == G::kComments) {
                maxLength = DesignerInformationFields()[G::kComments]->maxLength;
            }
            Box box{Decode(view.Text(control)), maxLength};
            if (action == 5) {
                box.Paste(PickPaste(in));
            } else {
                const int key = PickKey(in);
                if (!logic.KeyPress(control, key)) box.Key(key);
            }
            view.SetText(control, box.Text());
        } else {
            const int button = target.buttons[in.ConsumeIntegralInRange<std::size_t>(0, target.buttons.size() - 1)];
            logic.Click(button);
            if (target.id == ScreenId::DesignData && button == D::kContinue && desktop.messages.empty()) {
                Check(record.designLoading > 0 && std::isfinite(record.requiredSn) && record.requiredSn > 0.0f,
                      "a design data CONTINUE without a message leaves a design loading and a required SN");
            }
            if (!desktop.messages.empty() && (desktop.messages[0] == kRequiredMessage ||
                                              desktop.messages[0] == kNumberNeededMessage)) {
                Check(FirstDifference(before, record).empty(), "a refused CONTINUE writes nothing",
                      FirstDifference(before, record));
            }
        }
        Check(desktop.messages.size() <= 1 && desktop.beeps == static_cast<int>(desktop.messages.size()),
              "one event gives at most one message, with its beep");
        for (const std::string& message : desktop.messages) {
            bool known = false;
            for (std::string_view k : kKnownMessages) known = known || message == k;
            Check(known, "every message is one of the screens' own", message);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool checked = (CheckTable(), true);
    (void)checked;
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool()) {
        FieldProcedure(in);
    } else {
        Screens(in);
    }
    return 0;
}
