#pragma once

// What the fuzz targets share: a property check that stops the run with a
// readable reason, stand-ins for the windows and the desktop, and a
// field-by-field comparison of two design records.

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/design_record.h"
#include "ui/desktop.h"
#include "ui/form_view.h"
#include "ui/program.h"
#include "ui/fake_view.h"

namespace korvelle::fuzz {

// Shows a text with its bytes escaped, so that blanks, control characters and
// invalid UTF-8 can be read in a report.
inline std::string Shown(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown = "\"";
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '"' && c != '\\') {
            shown += c;
        } else {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xf];
        }
    }
    return shown + "\"";
}

// A property that must hold: otherwise the run stops, naming the property
// and the texts involved.
inline void Check(bool holds, std::string_view property, std::string_view detail = {}) {
    if (holds) return;
    std::string report = "property broken: " + std::string(property);
    if (!detail.empty()) report += "\n  " + std::string(detail);
    std::fputs((report + "\n").c_str(), stderr);
    std::abort();
}

// The same, with a report worked out only when the property is broken: a
// check made on every run must not spend the run's time on its report.
template <class Detail>
    requires std::is_invocable_r_v<std::string, Detail>
void Check(bool holds, std::string_view property, Detail&& detail) {
    if (!holds) Check(false, property, std::string(detail()));
}

using FuzzView = FakeView;

class FuzzDesktop : public Desktop {
public:
    void Beep() override { ++beeps; }
    void ShowMessage(const std::string& text, const std::string& title, MessageStyle style) override {
        Check(title == "ERROR" && style == MessageStyle::Critical, "every message is an ERROR box", text);
        messages.push_back(text);
    }
    // Every question is answered "continue" (Yes, Save): the fuzzer wants to
    // reach as far into the program as the inputs allow.
    Answer Ask(const std::string& text, const std::string&, Question kind) override {
        questions.push_back(text);
        return kind == Question::YesNo ? Answer::Yes : Answer::Discard;
    }
    std::optional<std::string> AskText(const std::string& text, const std::string&, const std::string&) override {
        questions.push_back(text);
        return std::nullopt;
    }
    void Quit() override { ++quits; }
    CalendarDate Today() override { return {2001, 12, 1}; }
    void Clear() {
        beeps = 0;
        messages.clear();
    }

    int beeps = 0;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    int quits = 0;
};

class FuzzWindows : public WindowSystem {
public:
    FormView& Create(ScreenId id, Screen& /*logic*/) override {
        auto& view = views[id];
        view = std::make_unique<FuzzView>();
        return *view;
    }
    void Show(ScreenId id) override { shown.push_back(id); }
    void Hide(ScreenId /*id*/) override {}
    void Destroy(ScreenId /*id*/) override {}

    std::map<ScreenId, std::unique_ptr<FuzzView>> views;
    std::vector<ScreenId> shown;
};

// Bitwise, so that a NaN equals itself and -0 differs from 0.
inline bool Same(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }
template <typename T>
bool Same(const T& a, const T& b) {
    return a == b;
}
template <typename T, std::size_t N>
bool Same(const std::array<T, N>& a, const std::array<T, N>& b) {
    for (std::size_t i = 0; i < N; ++i) {
        if (!Same(a[i], b[i])) return false;
    }
    return true;
}

// The first field in which two records differ, or nothing.
inline std::string FirstDifference(const DesignRecord& a, const DesignRecord& b) {
#define KORVELLE_FIELD(f) \
    if (!Same(a.f, b.f)) return #f;
    KORVELLE_FIELD(projectNumber) KORVELLE_FIELD(piNumber) KORVELLE_FIELD(countyName)
    KORVELLE_FIELD(projectDescription) KORVELLE_FIELD(initialYear) KORVELLE_FIELD(finalYear)
    KORVELLE_FIELD(initialAadt) KORVELLE_FIELD(finalAadt) KORVELLE_FIELD(truckPercent) KORVELLE_FIELD(ldf)
    KORVELLE_FIELD(terminalServiceability) KORVELLE_FIELD(serviceabilityLoss) KORVELLE_FIELD(soilSupport)
    KORVELLE_FIELD(regionalFactor) KORVELLE_FIELD(singleUnitEsal) KORVELLE_FIELD(multiUnitEsal)
    KORVELLE_FIELD(esal18) KORVELLE_FIELD(meanAadt) KORVELLE_FIELD(dailyLoads) KORVELLE_FIELD(designLoading)
    KORVELLE_FIELD(requiredSn) KORVELLE_FIELD(snDifferencePercent) KORVELLE_FIELD(proposedSn)
    KORVELLE_FIELD(officeIndex) KORVELLE_FIELD(designerName) KORVELLE_FIELD(designDate)
    KORVELLE_FIELD(designComments) KORVELLE_FIELD(menuChoice) KORVELLE_FIELD(mmPerInch)
    KORVELLE_FIELD(topZoneCourse) KORVELLE_FIELD(topZoneDepth) KORVELLE_FIELD(fullDepthCourseCount)
    KORVELLE_FIELD(overlayCourseCount) KORVELLE_FIELD(existingCourseCount) KORVELLE_FIELD(upperPart)
    KORVELLE_FIELD(lowerPart) KORVELLE_FIELD(baseCoefficient) KORVELLE_FIELD(fullDepthMaterials)
    KORVELLE_FIELD(fullDepthCourseMaterial) KORVELLE_FIELD(fullDepthThickness) KORVELLE_FIELD(overlayMaterials)
    KORVELLE_FIELD(overlayCourseMaterial) KORVELLE_FIELD(overlayThickness) KORVELLE_FIELD(existingMaterials)
    KORVELLE_FIELD(existingCourseMaterial) KORVELLE_FIELD(existingThickness)
#undef KORVELLE_FIELD
    return {};
}

}  // namespace korvelle::fuzz
