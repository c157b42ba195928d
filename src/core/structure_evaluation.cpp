#include "structure_evaluation.h"

#include <cmath>

#include "materials.h"
#include "number_format.h"
#include "number_text.h"

namespace korvelle {

namespace {

constexpr float kTopZone = 4.5f;  // inches of pavement that take the upper asphalt coefficient
constexpr float kMmPerInch = 25.4f;

// Cells of one course: its name and thickness, then its coefficient and
// structural value, on one line or split at the bottom of the top zone.  The
// numbers the cells are formatted from go into the course's parts.
class RowWriter {
public:
    RowWriter(ResultRow& row, EvaluatedCourse& course) : row_(row), course_(course) {}

    void Course(const std::string& name, std::int16_t material, bool existing, float inches) {
        row_[kMaterialCell] = name;
        Thickness(kInchesCell, inches);
        course_.material = material;
        course_.existing = existing;
        course_.parts.assign(1, EvaluatedPart{inches, 0.0f, 0.0});
    }

    void SpreadRate(const korvelle::SpreadRate& rate) {
        row_[kInchesCell] = std::string(rate.imperial);
        row_[kMillimetresCell] = std::string(rate.metric);
        row_[kCoefficientCell] = "0.00";
        row_[kStructuralValueCell] = "0.00";
        course_.spreadRate = true;
    }

    // An asphalt course wholly inside (0.44) or below (0.30) the top zone.
    void Asphalt(bool insideTopZone, float inches) {
        const double coefficient = insideTopZone ? kUpperAsphalt : kLowerAsphalt;
        row_[kCoefficientCell] = insideTopZone ? "0.44" : "0.30";
        Value(kStructuralValueCell, coefficient, coefficient * inches, 0);
    }

    // A base or concrete course, whose coefficient is a single.
    void Base(float coefficient, float inches) {
        row_[kCoefficientCell] = FormatNumber(coefficient, "0.00");
        Value(kStructuralValueCell, coefficient, coefficient * inches, 0);
    }

    // An asphalt course split at the bottom of the top zone.
    void Split(float upper, float lower) {
        Thickness(kInchesCell, upper);
        row_[kCoefficientCell] = "0.44";
        course_.parts.assign(2, EvaluatedPart{});
        course_.parts[0].inches = upper;
        Value(kStructuralValueCell, kUpperAsphalt, kUpperAsphalt * upper, 0);
        LowerPart(lower);
    }

    // The top course reaching below the top zone: its upper part is always
    // the whole zone.
    void SplitTopCourse(float lower) {
        row_[kInchesCell] = "4.50";
        row_[kMillimetresCell] = "114";
        row_[kCoefficientCell] = "0.44";
        course_.parts.assign(2, EvaluatedPart{});
        course_.parts[0].inches = kTopZone;
        Value(kStructuralValueCell, kUpperAsphalt, kUpperAsphalt * kTopZone, 0);
        LowerPart(lower);
    }

private:
    static constexpr double kUpperAsphalt = 0.44;  // inside the top zone
    static constexpr double kLowerAsphalt = 0.30;  // below it

    void Thickness(int cell, float inches) {
        row_[cell] = FormatNumber(inches, "#0.00");
        row_[cell + 1] = FormatNumber(kMmPerInch * inches, "###");
    }

    // A structural value cell and the number it shows.  The product keeps
    // its type (single for a base course, double for asphalt): the type
    // decides how the value is rounded for showing.
    template <typename Product>
    void Value(int cell, double coefficient, Product product, std::size_t part) {
        row_[cell] = FormatNumber(product, "0.00");
        course_.parts[part].coefficient = static_cast<float>(coefficient);
        course_.parts[part].value = RoundAsShown(product, 2);
    }

    void LowerPart(float lower) {
        Thickness(kLowerInchesCell, lower);
        row_[kLowerCoefficientCell] = "0.30";
        course_.parts[1].inches = lower;
        Value(kLowerStructuralValueCell, kLowerAsphalt, kLowerAsphalt * lower, 1);
    }

    ResultRow& row_;
    EvaluatedCourse& course_;
};

// The thickness of a course whose thickness does not count (a surface course
// laid by spread rate, or no course): blank means none.
std::optional<float> OptionalThickness(const std::string& text) {
    if (text.find_first_not_of(" \t") == std::string::npos) return 0.0f;
    return CourseThickness(text);
}

// Courses in use must follow each other from the top course down.
template <std::size_t N, typename InUse>
bool WithoutGaps(const std::array<std::int16_t, N>& materials, std::size_t first, InUse inUse) {
    bool ended = false;
    for (std::size_t k = first; k < N; ++k) {
        if (!inUse(materials[k])) {
            ended = true;
        } else if (ended) {
            return false;
        }
    }
    return true;
}

// Sums the structural values as displayed, row by row, then compares the
// proposed structural number with the required one.
void Summarize(Evaluation& evaluation, DesignRecord& record) {
    ResultSheet& sheet = evaluation.sheet;
    StructureNumbers& numbers = evaluation.numbers;
    float proposed = 0.0f;
    for (const EvaluatedCourse& course : numbers.courses) {
        for (const EvaluatedPart& part : course.parts) {
            if (part.value > 0.0) proposed = static_cast<float>(proposed + part.value);
        }
    }
    numbers.proposedSn = proposed;
    numbers.requiredSn = record.requiredSn;
    numbers.topZoneDepth = record.topZoneDepth;
    record.proposedSn = proposed;
    record.snDifferencePercent = static_cast<float>(
        std::fabs((static_cast<double>(proposed) - record.requiredSn) / record.requiredSn * 100.0));
    sheet.requiredSn = FormatNumber(record.requiredSn, "0.00");
    sheet.proposedSn = FormatNumber(proposed, "0.00");
    sheet.difference = FormatNumber(record.snDifferencePercent, "##0.0") + "%";
    if (proposed > record.requiredSn) {
        sheet.verdict = kOverdesign;
    } else if (proposed < record.requiredSn) {
        sheet.verdict = kUnderdesign;
    } else {
        sheet.verdict = kExactVerdict;
    }
}

// The top asphalt course: split when it reaches below the top zone, else
// wholly inside it.
void WriteTopCourse(RowWriter row, int zone, float inches, DesignRecord& record) {
    if (zone == 1) {
        record.upperPart[0] = kTopZone;
        record.lowerPart[0] = inches - kTopZone;
        row.SplitTopCourse(record.lowerPart[0]);
    } else {
        row.Asphalt(true, inches);
    }
}

// A sheet of `rows` empty rows, with numbers for the `shown` rows.
Evaluation Blank(int rows, int shown, bool overlay) {
    Evaluation evaluation;
    evaluation.sheet.rows.resize(rows);
    evaluation.numbers.overlay = overlay;
    evaluation.numbers.courses.resize(shown);
    return evaluation;
}

bool CanCompare(const DesignRecord& record) {
    return std::isfinite(record.requiredSn) && record.requiredSn != 0.0f;
}

bool IsFullDepthMix(std::int16_t m) { return m >= fulldepth::kFirstMix && m <= fulldepth::kLastMix; }
bool IsFullDepthCourse(std::int16_t m) { return m >= fulldepth::kFirstMix && m <= fulldepth::kGradedAggregateBase; }
bool IsOverlayMix(std::int16_t m) { return m >= overlay::kFirstMix && m <= overlay::kLastMix; }
bool IsExistingCourse(std::int16_t m) { return m >= existing::kConcreteGood && m <= existing::kSandClayBase; }

}  // namespace

std::optional<float> CourseThickness(std::string_view text) {
    auto value = ParseSingle(text);
    if (!value || *value < 0.0f || *value > kMaxCourseThickness) return std::nullopt;
    return value;
}

namespace {

std::optional<Evaluation> FullDepth(const std::array<CourseEntry, 5>& courses, DesignRecord& record) {
    std::array<std::int16_t, 5> material{};
    material[0] = kFullDepthTopList.MaterialAt(courses[0].position);
    for (std::size_t k = 1; k < 5; ++k) material[k] = kFullDepthLowerList.MaterialAt(courses[k].position);
    if (material[0] == 0 || !WithoutGaps(material, 1, IsFullDepthCourse) || !CanCompare(record)) {
        return std::nullopt;
    }
    const bool spreadRateTop = material[0] < fulldepth::kFirstMix;

    int n = 1;
    for (std::size_t k = 1; k < 5; ++k) n += IsFullDepthCourse(material[k]) ? 1 : 0;

    std::array<float, 5> t{};
    for (int k = 0; k < n; ++k) {
        auto inches = (k == 0 && spreadRateTop) ? OptionalThickness(courses[0].thickness)
                                                : CourseThickness(courses[k].thickness);
        if (!inches) return std::nullopt;
        t[k] = *inches;
    }

    record.mmPerInch = kMmPerInch;
    record.topZoneDepth = kTopZone;
    record.fullDepthCourseMaterial = material;
    record.fullDepthCourseCount = static_cast<std::int16_t>(n);
    for (int k = 0; k < n; ++k) record.fullDepthThickness[k] = t[k];

    Evaluation evaluation = Blank(5, n, false);
    auto writer = [&](int k) { return RowWriter(evaluation.sheet.rows[k], evaluation.numbers.courses[k]); };
    for (int k = 0; k < n; ++k) {
        writer(k).Course(record.fullDepthMaterials[material[k] - 1], material[k], false, t[k]);
    }
    if (spreadRateTop) {
        record.topZoneDepth = t[0] + kTopZone;
        writer(0).SpreadRate(SpreadRateOf(material[0]));
    }

    // The course in which the bottom of the top zone falls: strictly inside a
    // course, or the course just below one that ends exactly at the bottom;
    // n + 1 when two or more courses all lie inside the zone.
    const float L = record.topZoneDepth;
    std::array<float, 6> S{};  // S[k]: depth of the bottom of course k (1-based)
    for (int k = 1; k <= n; ++k) S[k] = S[k - 1] + t[k - 1];
    int zone = 0;
    if (t[0] > L) zone = 1;
    if (n >= 2 && L > t[0] && S[2] > L) zone = 2;
    for (int k = 3; k <= n; ++k) {
        if (S[k - 1] < L && S[k] > L) zone = k;
    }
    if (n >= 2 && S[n] < L) zone = n + 1;
    for (int k = 2; k <= n; ++k) {
        if (S[k] == L) zone = k + 1;
    }
    record.topZoneCourse = static_cast<float>(zone);

    if (!spreadRateTop) WriteTopCourse(writer(0), zone, t[0], record);
    for (int k = 2; k <= n; ++k) {
        RowWriter row = writer(k - 1);
        const std::int16_t m = material[k - 1];
        if (!IsFullDepthMix(m)) {
            record.baseCoefficient = FullDepthBaseCoefficient(m);
            row.Base(record.baseCoefficient, t[k - 1]);
        } else if (zone == k) {
            record.upperPart[k - 1] = L - S[k - 1];
            record.lowerPart[k - 1] = S[k] - L;
            row.Split(record.upperPart[k - 1], record.lowerPart[k - 1]);
        } else {
            row.Asphalt(zone > k, t[k - 1]);
        }
    }

    Summarize(evaluation, record);
    return evaluation;
}

std::optional<Evaluation> Overlay(const std::array<CourseEntry, 3>& overlayCourses,
                                  const std::array<CourseEntry, 3>& existingCourses, DesignRecord& record) {
    std::array<std::int16_t, 3> over{};
    over[0] = kOverlayTopList.MaterialAt(overlayCourses[0].position);
    for (std::size_t k = 1; k < 3; ++k) over[k] = kOverlayLowerList.MaterialAt(overlayCourses[k].position);
    std::array<std::int16_t, 3> under{};
    for (std::size_t k = 0; k < 3; ++k) under[k] = kExistingList.MaterialAt(existingCourses[k].position);
    if (over[0] == 0 || under[0] == 0 || !WithoutGaps(over, 1, IsOverlayMix) ||
        !WithoutGaps(under, 0, IsExistingCourse) || !CanCompare(record)) {
        return std::nullopt;
    }
    const bool spreadRateTop = over[0] < overlay::kFirstMix;

    int n = 1;
    for (std::size_t k = 1; k < 3; ++k) n += IsOverlayMix(over[k]) ? 1 : 0;
    int existingCount = 0;
    for (std::int16_t m : under) existingCount += IsExistingCourse(m) ? 1 : 0;

    std::array<float, 3> t{};
    for (int k = spreadRateTop ? 1 : 0; k < n; ++k) {
        auto inches = CourseThickness(overlayCourses[k].thickness);
        if (!inches) return std::nullopt;
        t[k] = *inches;
    }
    // The top existing course's row is always shown, even as "[NO COURSE]".
    std::array<float, 3> e{};
    for (int k = 0; k < std::max(existingCount, 1); ++k) {
        auto inches = IsExistingCourse(under[k]) ? CourseThickness(existingCourses[k].thickness)
                                                  : OptionalThickness(existingCourses[k].thickness);
        if (!inches) return std::nullopt;
        e[k] = *inches;
    }

    record.mmPerInch = kMmPerInch;
    record.topZoneDepth = kTopZone;
    record.overlayCourseMaterial = over;
    record.existingCourseMaterial = under;
    record.overlayCourseCount = static_cast<std::int16_t>(n);
    record.existingCourseCount = static_cast<std::int16_t>(existingCount);
    for (int k = 0; k < n; ++k) record.overlayThickness[k] = t[k];
    for (int k = 0; k < std::max(existingCount, 1); ++k) record.existingThickness[k] = e[k];

    // The numbers hold the overlay courses in use, then the existing rows shown.
    const int existingShown = std::max(existingCount, 1);
    Evaluation evaluation = Blank(6, n + existingShown, true);
    auto writer = [&](int k) { return RowWriter(evaluation.sheet.rows[k], evaluation.numbers.courses[k]); };
    auto existingWriter = [&](int k) {
        return RowWriter(evaluation.sheet.rows[3 + k], evaluation.numbers.courses[n + k]);
    };
    for (int k = 0; k < n; ++k) writer(k).Course(record.overlayMaterials[over[k] - 1], over[k], false, t[k]);
    for (int k = 0; k < existingShown; ++k) {
        existingWriter(k).Course(record.existingMaterials[under[k] - 1], under[k], true, e[k]);
    }
    if (spreadRateTop) {
        record.topZoneDepth = t[0] + kTopZone;
        writer(0).SpreadRate(SpreadRateOf(over[0]));
    }

    // Courses numbered from the surface: overlay courses 1 to 3, then the
    // top existing course as course 4.
    const float L = record.topZoneDepth;
    std::array<float, 4> S{};
    for (int k = 1; k <= n; ++k) S[k] = S[k - 1] + t[k - 1];
    const float T = S[n];  // total thickness of the overlay
    const bool asphalticBelow = under[0] == existing::kAsphalticConcrete;
    int zone = 0;
    if (t[0] > L) zone = 1;
    if (n >= 2 && L > t[0] && S[2] > L) zone = 2;
    if (n == 3 && S[2] < L && S[3] > L) zone = 3;
    if (n >= 2 && S[2] == L) zone = 3;
    if (n == 3 && S[3] == L) zone = 4;
    if (asphalticBelow && T < L && T + e[0] > L) zone = 4;
    record.topZoneCourse = static_cast<float>(zone);
    // Zone 0 means the zone reaches down to or below the bottom of every
    // asphalt course, except when overlay course 1 ends exactly at its
    // bottom: the courses below it then lie wholly below the zone.
    const bool zoneEndsBelowCourse1 = zone == 0 && !spreadRateTop && t[0] == L;
    auto insideZone = [&](int k) { return zone == 0 ? !zoneEndsBelowCourse1 : zone > k; };

    if (!spreadRateTop) WriteTopCourse(writer(0), zone, t[0], record);
    for (int k = 2; k <= n; ++k) {
        RowWriter row = writer(k - 1);
        if (zone == k) {
            record.upperPart[k - 1] = L - S[k - 1];
            record.lowerPart[k - 1] = S[k] - L;
            row.Split(record.upperPart[k - 1], record.lowerPart[k - 1]);
        } else {
            row.Asphalt(insideZone(k), t[k - 1]);
        }
    }

    for (int k = 0; k < existingCount; ++k) {
        RowWriter row = existingWriter(k);
        if (under[k] == existing::kAsphalticConcrete) {
            if (k == 0 && zone == 4) {
                record.upperPart[3] = L - T;
                record.lowerPart[3] = T + e[0] - L;
                row.Split(record.upperPart[3], record.lowerPart[3]);
            } else {
                row.Asphalt(k == 0 && insideZone(4), e[k]);
            }
        } else {
            record.baseCoefficient = ExistingCoefficient(under[k]);
            row.Base(record.baseCoefficient, e[k]);
        }
    }

    Summarize(evaluation, record);
    return evaluation;
}

}  // namespace

std::optional<ResultSheet> EvaluateFullDepth(const std::array<CourseEntry, 5>& courses,
                                             DesignRecord& record) {
    auto evaluation = FullDepth(courses, record);
    if (!evaluation) return std::nullopt;
    return std::move(evaluation->sheet);
}

std::optional<ResultSheet> EvaluateOverlay(const std::array<CourseEntry, 3>& overlay,
                                           const std::array<CourseEntry, 3>& existing,
                                           DesignRecord& record) {
    auto evaluation = Overlay(overlay, existing, record);
    if (!evaluation) return std::nullopt;
    return std::move(evaluation->sheet);
}

std::optional<Evaluation> Evaluate(const EnteredStructure& structure, DesignRecord& record) {
    const auto& rows = structure.rows;
    if (structure.overlay) {
        if (rows.size() != kOverlayScreenRows) return std::nullopt;
        return Overlay({rows[0], rows[1], rows[2]}, {rows[3], rows[4], rows[5]}, record);
    }
    if (rows.size() != kFullDepthRows) return std::nullopt;
    return FullDepth({rows[0], rows[1], rows[2], rows[3], rows[4]}, record);
}

}  // namespace korvelle
