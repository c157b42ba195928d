// Reading typed numbers: the leading value of a text and the whole-text
// conversions, against an independent reading of the same text by the C
// library, and the display formats read back.

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/number_format.h"
#include "core/number_text.h"
#include "fuzz_support.h"

namespace {

using namespace korvelle;
using korvelle::fuzz::Check;
using korvelle::fuzz::Shown;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number a whole text stands for, read by the C library when the text
// is what the program accepts as a number: blanks around, an optional sign,
// digits with at most one point and at least one digit.
struct Reading {
    bool wellFormed = false;
    std::string body;  // without the blanks around
    std::size_t digits = 0;
};

Reading Read(std::string_view text) {
    Reading r;
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    std::string_view body = text.substr(begin, end - begin);
    std::size_t i = 0;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
    int points = 0;
    for (; i < body.size(); ++i) {
        if (IsDigit(body[i])) {
            ++r.digits;
        } else if (body[i] == '.') {
            ++points;
        } else {
            return r;
        }
    }
    r.wellFormed = points <= 1 && r.digits > 0;
    r.body = std::string(body);
    return r;
}

// The longest numeric prefix of a text with every blank taken out.
std::string LeadingPrefix(std::string_view text) {
    std::string squeezed;
    for (char c : text) {
        if (!IsBlank(c)) squeezed += c;
    }
    std::size_t i = 0;
    if (i < squeezed.size() && (squeezed[i] == '+' || squeezed[i] == '-')) ++i;
    bool point = false;
    for (; i < squeezed.size(); ++i) {
        if (IsDigit(squeezed[i])) continue;
        if (squeezed[i] == '.' && !point) {
            point = true;
            continue;
        }
        break;
    }
    return squeezed.substr(0, i);
}

bool Close(double a, double b, double relative, double absolute) {
    return std::fabs(a - b) <= absolute + relative * std::fabs(b);
}

void CheckLeadingValue(std::string_view text) {
    const double leading = LeadingValue(text);
    Check(std::isfinite(leading), "the leading value is a finite number", Shown(text));
    // A letter ends the numeric prefix, so appending one changes nothing.
    Check(LeadingValue(std::string(text) + "x") == leading, "a letter after the text leaves its leading value",
          Shown(text));
    const std::string prefix = LeadingPrefix(text);
    const Reading r = Read(prefix);
    if (r.wellFormed) {
        errno = 0;
        const double expected = std::strtod(r.body.c_str(), nullptr);
        if (errno == 0 && std::isfinite(expected)) {
            Check(leading == expected, "the leading value is the value of the numeric prefix", Shown(text));
        }
    } else {
        Check(leading == 0.0, "a text without a numeric prefix leads with 0", Shown(text));
    }
}

void CheckParseNumber(std::string_view text) {
    const Reading r = Read(text);
    const auto value = ParseNumber(text);
    if (!r.wellFormed) {
        Check(!value, "only digits with one point, a sign and blanks around are a number", Shown(text));
        return;
    }
    errno = 0;
    const double expected = std::strtod(r.body.c_str(), nullptr);
    if (errno == 0 && std::isfinite(expected)) {
        Check(value.has_value(), "a number in the double range is read", Shown(text));
        Check(*value == expected, "the whole text is read as the nearest double", Shown(text));
    }
    if (!std::isfinite(expected)) Check(!value, "a number beyond the double range is refused", Shown(text));
    if (value) {
        Check(std::isfinite(*value), "a number read is finite", Shown(text));
        Check(LeadingValue(text) == *value, "a whole number's leading value is its value", Shown(text));
    }
}

void CheckParseSingle(std::string_view text) {
    const Reading r = Read(text);
    const auto value = ParseSingle(text);
    if (!r.wellFormed) {
        Check(!value, "only digits with one point, a sign and blanks around are a single", Shown(text));
        return;
    }
    errno = 0;
    const float expected = std::strtof(r.body.c_str(), nullptr);
    const bool inRange = errno == 0 && std::isfinite(expected);
    if (inRange) {
        Check(value.has_value(), "a number in the single range is read", Shown(text));
        Check(*value == expected, "the whole text is read as the nearest single", Shown(text));
    }
    if (!std::isfinite(expected)) Check(!value, "a number beyond the single range is refused", Shown(text));
    if (value) {
        Check(std::isfinite(*value), "a single read is finite", Shown(text));
        // Written with 7 significant digits and read again, within the
        // single's own precision.
        const std::string written = FormatNumber(*value, "0.0000000000000000000000000000000000000000000000");
        const auto again = ParseSingle(written);
        Check(again.has_value(), "a single written out is read again", Shown(text) + " -> " + Shown(written));
        Check(Close(*again, *value, 1e-6, 1e-44), "a single written out reads back as itself",
              Shown(text) + " -> " + Shown(written));
    }
}

template <typename Int>
void CheckParseInteger(std::string_view text, std::optional<Int> value) {
    const auto number = ParseNumber(text);
    if (!number) {
        Check(!value, "an integer field takes only numbers", Shown(text));
        return;
    }
    const double rounded = RoundHalfEven(*number);
    const bool fits = rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
                      rounded <= static_cast<double>(std::numeric_limits<Int>::max());
    Check(value.has_value() == fits, "a whole number is taken exactly when it fits the integer", Shown(text));
    if (!value) return;
    Check(static_cast<double>(*value) == rounded, "an integer is the number rounded", Shown(text));
    Check(std::fabs(*number - *value) <= 0.5, "an integer lies within a half of the number", Shown(text));
    if (std::fabs(*number - *value) == 0.5) Check(*value % 2 == 0, "a tie goes to the even integer", Shown(text));
    // The integer written out reads back as itself.
    const std::string written = FormatNumber(static_cast<std::int64_t>(*value), "0");
    Check(ParseNumber(written) == static_cast<double>(*value), "an integer written out reads back", written);
}

// Every display pattern of the program gives a text that reads back as the
// value rounded to the pattern's decimals.
void CheckFormats(double value) {
    struct Pattern {
        std::string_view text;
        int decimals;
        bool grouping;
    };
    static constexpr Pattern kPatterns[] = {{"#0.00", 2, false}, {"0.00", 2, false},   {"0.000", 3, false},
                                            {"###", 0, false},   {"##0.0", 1, false},  {"###.0", 1, false},
                                            {"##,###", 0, true}, {"###,###,###", 0, true}};
    for (const Pattern& p : kPatterns) {
        for (bool single : {false, true}) {
            if (single && !(std::fabs(value) <= std::numeric_limits<float>::max())) continue;
            const double shown = single ? static_cast<double>(static_cast<float>(value)) : value;
            if (!std::isfinite(shown)) continue;
            std::string text = single ? FormatNumber(static_cast<float>(value), p.text) : FormatNumber(value, p.text);
            const double half = 0.5 * std::pow(10.0, -p.decimals);
            const double precision = single ? 1e-6 : 1e-14;
            if (text.empty()) {
                Check(p.text.front() == '#' && std::fabs(shown) <= half * (1 + precision),
                      "only a value that rounds to zero prints nothing", std::string(p.text));
                continue;
            }
            if (p.grouping) {
                std::string plain;
                for (char c : text) {
                    if (c != ',') plain += c;
                }
                text = plain;
            }
            const auto back = ParseNumber(text);
            Check(back.has_value(), "a formatted value reads back as a number", std::string(p.text) + " " + text);
            Check(Close(*back, shown, precision, half * (1 + 1e-9)), "a formatted value is the value rounded",
                  std::string(p.text) + " " + text);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckLeadingValue(text);
    CheckParseNumber(text);
    CheckParseSingle(text);
    CheckParseInteger<std::int16_t>(text, ParseInt16(text));
    CheckParseInteger<std::int32_t>(text, ParseInt32(text));
    if (auto number = ParseNumber(text)) CheckFormats(*number);

    const double rounded = RoundHalfEven(LeadingValue(text));
    Check(rounded == std::floor(rounded), "rounding gives a whole number", Shown(text));
    return 0;
}
