#include "number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace korvelle {

namespace {

struct Pattern {
    int decimals = 0;          // digits after the point
    int requiredIntegers = 0;  // "0" digits before the point
    bool grouping = false;
};

Pattern ReadPattern(std::string_view pattern) {
    Pattern p;
    bool afterPoint = false;
    for (const char c : pattern) {
        if (afterPoint) {
            ++p.decimals;
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == '0') {
            ++p.requiredIntegers;
        } else if (c == ',') {
            p.grouping = true;
        }
    }
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
std::string Layout(std::string_view scaled, bool negative, const Pattern& p) {
    const auto decimals = static_cast<std::size_t>(p.decimals);
    // The digits before the point without leading zeros, and after it as many
    // as the pattern has, zeros in front when the digits are fewer.
    std::string_view integer = scaled.substr(0, scaled.size() - std::min(decimals, scaled.size()));
    integer.remove_prefix(std::min(integer.find_first_not_of('0'), integer.size()));
    const std::string_view fraction = scaled.substr(scaled.size() - std::min(decimals, scaled.size()));
    const std::size_t fractionZeros = decimals - fraction.size();
    const auto required = static_cast<std::size_t>(p.requiredIntegers);
    const std::size_t integerZeros = integer.size() < required ? required - integer.size() : 0;
    const std::size_t integerDigits = integerZeros + integer.size();
    const bool zero = scaled.find_first_not_of('0') == std::string_view::npos;

    std::string text;
    text.reserve(integerDigits + integerDigits / 3 + decimals + 2);
    if (negative && !zero) text += '-';
    for (std::size_t i = 0; i < integerDigits; ++i) {
        if (p.grouping && i > 0 && (integerDigits - i) % 3 == 0) text += ',';
        text += i < integerZeros ? '0' : integer[i - integerZeros];
    }
    if (decimals > 0) {
        text += '.';
        text.append(fractionZeros, '0');
        text += fraction;
    }
    return text;
}

// A finite magnitude written with `significant` significant digits, as
// printf's "%.*e" writes it: the digits, the first standing for
// 10^exponent.  to_chars gives the same text without the cost of a
// formatted print.
struct Significant {
    std::array<char, 24> digit;
    int count = 0;
    int exponent = 0;
};

Significant SignificantDigits(double magnitude, int significant) {
    std::array<char, 64> buffer;
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                       std::chars_format::scientific, significant - 1);
    Significant s;
    const char* c = buffer.data();
    for (; c < written.ptr && *c != 'e'; ++c) {
        if (*c >= '0' && *c <= '9') s.digit[static_cast<std::size_t>(s.count++)] = *c;
    }
    // "e+05" or "e-05": from_chars takes a minus sign but no plus.
    std::from_chars(c + (c[1] == '+' ? 2 : 1), written.ptr, s.exponent);
    return s;
}

// The digits of |value| x 10^decimals, rounded as FormatNumber rounds: the
// value written with the given number of significant digits, that decimal
// rounded half away from zero.  The value must be finite.
std::string ScaledDigits(double value, int significant, int decimals) {
    const Significant s = SignificantDigits(std::fabs(value), significant);
    // Scaled by 10^decimals, the first `whole` digits form the integer kept.
    const int whole = s.exponent + decimals + 1;
    std::string scaled;
    int roundDigit = 0;
    if (whole >= s.count) {
        scaled.reserve(static_cast<std::size_t>(whole));
        scaled.append(s.digit.data(), static_cast<std::size_t>(s.count));
        scaled.append(static_cast<std::size_t>(whole - s.count), '0');
    } else if (whole >= 0) {
        scaled.assign(s.digit.data(), static_cast<std::size_t>(whole));
        roundDigit = s.digit[static_cast<std::size_t>(whole)] - '0';
    }
    if (scaled.empty()) scaled = "0";
    if (roundDigit >= 5) Increment(scaled);
    return scaled;
}

// The same digits as an integer; nothing when they could pass 2^53.
std::optional<std::uint64_t> ScaledInteger(double value, int significant, int decimals) {
    const Significant s = SignificantDigits(std::fabs(value), significant);
    std::uint64_t digits = 0;
    for (int i = 0; i < s.count; ++i) {
        digits = digits * 10 + static_cast<std::uint64_t>(s.digit[static_cast<std::size_t>(i)] - '0');
    }
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    const int whole = s.exponent + decimals + 1;
    if (whole < 0) return 0;
    if (whole >= s.count) {
        for (int i = s.count; i < whole; ++i) {
            if (digits > kExactLimit / 10) return std::nullopt;
            digits *= 10;
        }
        return digits <= kExactLimit ? std::optional<std::uint64_t>(digits) : std::nullopt;
    }
    std::uint64_t dropped = 1;  // 10^(digits dropped)
    for (int i = whole; i < s.count; ++i) dropped *= 10;
    const std::uint64_t firstDropped = digits / (dropped / 10) % 10;
    return digits / dropped + (firstDropped >= 5 ? 1 : 0);
}

// Formats a value written with the given number of significant digits.
std::string FormatDecimal(double value, int significant, std::string_view pattern) {
    if (!std::isfinite(value)) return "#NUM";
    Pattern p = ReadPattern(pattern);
    return Layout(ScaledDigits(value, significant, p.decimals), value < 0, p);
}

// |value| x 10^decimals rounded half up straight from the binary value,
// when that is sure to give what rounding its written digits gives: the
// value lies farther from a rounding tie than writing it can move it (half
// a unit of its last significant digit) and than the product is off.
// Nothing otherwise, and for values of a million or more.
std::optional<double> ScaledDirectly(double magnitude, int significant, int decimals) {
    // Powers of ten to 10^6, and the unit of the last of `significant`
    // written digits for each power below which the magnitude lies.
    static constexpr std::array<double, 7> kPower{1.0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};
    static constexpr std::array<double, 16> kTenth{1.0,   1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                                   1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15};
    if (!(magnitude < kPower.back()) || decimals < 0 || decimals >= static_cast<int>(kPower.size()) ||
        significant < 1 || significant >= static_cast<int>(kTenth.size())) {
        return std::nullopt;
    }
    int digits = 1;  // before the point: magnitude < 10^digits
    while (magnitude >= kPower[static_cast<std::size_t>(digits)]) ++digits;
    if (digits > significant) return std::nullopt;
    const double scale = kPower[static_cast<std::size_t>(decimals)];
    const double unit = kTenth[static_cast<std::size_t>(significant - digits)];
    const double margin = unit * scale + 1e-9;
    const double shifted = magnitude * scale + 0.5;
    const double whole = std::floor(shifted);
    if (shifted - whole <= margin || whole + 1.0 - shifted <= margin) return std::nullopt;
    return whole;
}

// The rounded decimal as the nearest double, which is also what reading
// the shown text gives.  An integer below 2^53 and a power of ten up to 10^22
// are exact doubles, and their quotient is rounded to the nearest double as
// reading the decimal text is.
double RoundedDecimal(double value, int significant, int decimals) {
    if (!std::isfinite(value)) return value;
    constexpr int kMostExactPowerOfTen = 22;
    double rounded = 0.0;
    double power = 1.0;
    for (int i = 0; i < decimals && i < kMostExactPowerOfTen; ++i) power *= 10.0;
    if (const auto direct = ScaledDirectly(std::fabs(value), significant, decimals)) {
        rounded = *direct / power;
    } else if (const auto scaled = decimals >= 0 && decimals <= kMostExactPowerOfTen
                                       ? ScaledInteger(value, significant, decimals)
                                       : std::nullopt) {
        rounded = static_cast<double>(*scaled) / power;
    } else {
        const std::string text = ScaledDigits(value, significant, decimals) + "e-" + std::to_string(decimals);
        std::from_chars(text.data(), text.data() + text.size(), rounded, std::chars_format::scientific);
    }
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
