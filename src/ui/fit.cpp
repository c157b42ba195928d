#include "fit.h"

#include <array>

#include "structure_screens.h"

#include "core/number_format.h"

namespace korvelle {

namespace {

// One text per refusal, with the fit's numbers in braces: {course},
// {required} and {proposed} (SN), {inches}.
struct RefusalText {
    FitRefusal refusal;
    std::string_view text;
};

constexpr std::array<RefusalText, 5> kRefusalTexts{{
    {FitRefusal::NoCourse, "{course} holds no course: choose its material before fitting its thickness"},
    {FitRefusal::SpreadRate, "{course} is laid by spread rate (OGFC, PEM) and has no thickness to fit"},
    {FitRefusal::NotEvaluated, kNotEvaluatedMessage},
    {FitRefusal::MetWithoutCourse,
     "The required SN {required} is met without {course}: at {inches} in. the proposed SN is {proposed}.\n\n"
     "Set {course} to {inches} in.? CONTINUE takes no course without a thickness: leave the course out, or "
     "thin another one, before you continue."},
    {FitRefusal::Unreachable,
     "{course} cannot make up the required SN {required} alone: at {inches} in. the proposed SN is {proposed}"},
}};

void ReplaceAll(std::string& text, std::string_view name, const std::string& value) {
    for (auto at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size())) {
        text.replace(at, name.size(), value);
    }
}

}  // namespace

std::string FitMessage(const ThicknessFit& fit, std::string_view course) {
    if (!fit.refusal) return {};
    std::string text;
    for (const RefusalText& entry : kRefusalTexts) {
        if (entry.refusal == *fit.refusal) text = entry.text;
    }
    ReplaceAll(text, "{course}", std::string(course));
    ReplaceAll(text, "{required}", FormatNumber(fit.requiredSn, "0.00"));
    ReplaceAll(text, "{proposed}", FormatNumber(fit.proposedSn, "0.00"));
    ReplaceAll(text, "{inches}", QuarterInchText(fit.quarterInches));
    return text;
}

}  // namespace korvelle
