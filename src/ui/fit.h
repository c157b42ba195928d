#pragma once

#include <string>
#include <string_view>

#include "core/thickness_fit.h"

namespace korvelle {

// Title of the question FIT asks before fitting a course of no thickness.
inline constexpr std::string_view kFitTitle = "FIT";

// What FIT tells the designer when it fitted nothing, or asks before it fits
// 0.00 in.: the text for the fit's refusal, naming the course ("COURSE 3").
// Empty for a fit without refusal.
std::string FitMessage(const ThicknessFit& fit, std::string_view course);

}  // namespace korvelle
