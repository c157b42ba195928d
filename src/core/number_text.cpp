#include "number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace korvelle {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A decimal number: optional sign, digits with at most one point, at least
// one digit.  Returns the text without its sign, and the sign.
std::optional<std::pair<std::string_view, bool>> DecimalBody(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool point = false;
    bool digit = false;
    for (char c : text) {
        if (IsDigit(c)) {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit) return std::nullopt;
    return std::make_pair(text, negative);
}

template <typename T>
std::optional<T> ParseDecimal(std::string_view text) {
    auto body = DecimalBody(text);
    if (!body) return std::nullopt;
    auto [digits, negative] = *body;
    T value{};
    auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                  std::chars_format::fixed);
    if (result.ec != std::errc{} || result.ptr != digits.data() + digits.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

template <typename Int>
std::optional<Int> ParseInteger(std::string_view text) {
    auto value = ParseDecimal<double>(text);
    if (!value) return std::nullopt;
    double rounded = RoundHalfEven(*value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

}  // namespace

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    double floor = std::floor(value);
    double fraction = value - floor;
    if (fraction > 0.5) return floor + 1.0;
    if (fraction < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

double LeadingValue(std::string_view text) {
    std::string number;
    bool point = false;
    bool signAllowed = true;
    for (char c : text) {
        if (IsBlank(c)) continue;
        if (signAllowed && (c == '+' || c == '-')) {
            number += c;
        } else if (IsDigit(c)) {
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
        signAllowed = false;
    }
    auto value = ParseDecimal<double>(number);
    return value ? *value : 0.0;
}

std::optional<double> ParseNumber(std::string_view text) { return ParseDecimal<double>(text); }

std::optional<float> ParseSingle(std::string_view text) { return ParseDecimal<float>(text); }

std::optional<std::int16_t> ParseInt16(std::string_view text) { return ParseInteger<std::int16_t>(text); }

std::optional<std::int32_t> ParseInt32(std::string_view text) { return ParseInteger<std::int32_t>(text); }

}  // namespace korvelle
