#include "number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace korvelle {

namespace {

struct Pattern {
    int decimals = 0;          // digits after the point
    int requiredIntegers = 0;  // "0" digits before the point
    bool grouping = false;
};

Pattern ReadPattern(std::string_view pattern) {
    Pattern p;
    auto point = pattern.find('.');
    std::string_view integer = pattern.substr(0, point);
    if (point != std::string_view::npos) {
        p.decimals = static_cast<int>(pattern.size() - point - 1);
    }
    p.requiredIntegers = static_cast<int>(std::count(integer.begin(), integer.end(), '0'));
    p.grouping = integer.find(',') != std::string_view::npos;
    return p;
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Lays out a magnitude given as the digits of magnitude x 10^decimals.
std::string Layout(std::string scaled, bool negative, const Pattern& p) {
    if (static_cast<int>(scaled.size()) < p.decimals) {
        scaled.insert(0, p.decimals - scaled.size(), '0');
    }
    std::string fraction = scaled.substr(scaled.size() - p.decimals);
    std::string integer = scaled.substr(0, scaled.size() - p.decimals);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    if (static_cast<int>(integer.size()) < p.requiredIntegers) {
        integer.insert(0, p.requiredIntegers - integer.size(), '0');
    }
    if (p.grouping) {
        for (int i = static_cast<int>(integer.size()) - 3; i > 0; i -= 3) integer.insert(i, 1, ',');
    }
    bool zero = scaled.find_first_not_of('0') == std::string::npos;
    std::string text = (negative && !zero) ? "-" : "";
    text += integer;
    if (p.decimals > 0) text += "." + fraction;
    return text;
}

// The digits of |value| x 10^decimals, rounded as FormatNumber rounds: the
// value written with the given number of significant digits, that decimal
// rounded half away from zero.  The value must be finite.
std::string ScaledDigits(double value, int significant, int decimals) {
    // The value as printf's "%.*e" writes it; to_chars gives the same text
    // without the cost of a formatted print.  The buffer stays zero-ended.
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size() - 1, std::fabs(value),
                                       std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data()));
    const auto e = text.find('e');
    int exponent = std::atoi(text.data() + e + 1);
    std::string digits;
    digits.reserve(e);
    for (char c : text.substr(0, e)) {
        if (c >= '0' && c <= '9') digits += c;
    }
    // digits[0] stands for 10^exponent; scaled by 10^decimals the first
    // `whole` digits form the integer that is kept.
    int whole = exponent + decimals + 1;
    std::string scaled;
    int roundDigit = 0;
    if (whole >= static_cast<int>(digits.size())) {
        scaled = digits + std::string(whole - digits.size(), '0');
    } else if (whole >= 0) {
        scaled = digits.substr(0, whole);
        roundDigit = digits[whole] - '0';
    }
    if (scaled.empty()) scaled = "0";
    if (roundDigit >= 5) Increment(scaled);
    return scaled;
}

// Formats a value written with the given number of significant digits.
std::string FormatDecimal(double value, int significant, std::string_view pattern) {
    if (!std::isfinite(value)) return "#NUM";
    Pattern p = ReadPattern(pattern);
    return Layout(ScaledDigits(value, significant, p.decimals), value < 0, p);
}

// The rounded decimal as the nearest double, which is also what reading
// the shown text gives.
double RoundedDecimal(double value, int significant, int decimals) {
    if (!std::isfinite(value)) return value;
    const std::string scaled = ScaledDigits(value, significant, decimals) + "e-" + std::to_string(decimals);
    double rounded = 0.0;
    std::from_chars(scaled.data(), scaled.data() + scaled.size(), rounded, std::chars_format::scientific);
    return value < 0 ? -rounded : rounded;
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern) {
    return FormatDecimal(value, 15, pattern);
}

std::string FormatNumber(float value, std::string_view pattern) {
    return FormatDecimal(static_cast<double>(value), 7, pattern);
}

double RoundAsShown(double value, int decimals) { return RoundedDecimal(value, 15, decimals); }

double RoundAsShown(float value, int decimals) { return RoundedDecimal(static_cast<double>(value), 7, decimals); }

std::string FormatNumber(std::int64_t value, std::string_view pattern) {
    Pattern p = ReadPattern(pattern);
    bool negative = value < 0;
    // The magnitude of the most negative value still fits an unsigned type.
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    return Layout(std::to_string(magnitude) + std::string(p.decimals, '0'), negative, p);
}

std::string FormatNumber(std::int32_t value, std::string_view pattern) {
    return FormatNumber(static_cast<std::int64_t>(value), pattern);
}

std::string FormatLongDate(int year, int month, int day) {
    static constexpr std::array<const char*, 12> kMonths = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    if (month < 1 || month > 12) return {};
    return std::string(kMonths[month - 1]) + " " + std::to_string(day) + ", " + std::to_string(year);
}

}  // namespace korvelle
