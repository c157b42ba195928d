#include "structure_evaluation.h"

#include <algorithm>
#include <cmath>

#include "materials.h"
#include "number_format.h"
#include "number_text.h"

namespace korvelle {

namespace {

constexpr float kMmPerInch = 25.4f;
constexpr int kExistingRows = kOverlayScreenRows - kOverlayCourseRows;
// Courses are counted from the surface, 1 up; an overlay's existing course 1
// is course 4 whatever overlay courses are in use.
constexpr int kExistingCourse1 = kOverlayCourseRows + 1;

bool IsFullDepthMix(std::int16_t material) {
    return material >= fulldepth::kFirstMix && material <= fulldepth::kLastMix;
}
bool IsFullDepthCourse(std::int16_t material) {
    return material >= fulldepth::kFirstMix && material <= fulldepth::kGradedAggregateBase;
}
bool IsOverlayMix(std::int16_t material) {
    return material >= overlay::kFirstMix && material <= overlay::kLastMix;
}
bool IsExistingCourse(std::int16_t material) {
    return material >= existing::kConcreteGood && material <= existing::kSandClayBase;
}

const MaterialSlice& SliceOfRow(bool overlay, int row) {
    if (!overlay) return row == 0 ? kFullDepthTopList : kFullDepthLowerList;
    if (row >= kOverlayCourseRows) return kExistingList;
    return row == 0 ? kOverlayTopList : kOverlayLowerList;
}

int RowsOf(bool overlay) { return overlay ? kOverlayScreenRows : kFullDepthRows; }

// ------------------------------------------------------------ courses read

// The courses of a structure, top down, as the evaluation takes them from the
// rows: the new courses (full-depth or overlay) 1 to `count`, and under an
// overlay the existing courses 1 to `existingCount`.
struct Pavement {
    bool overlay = false;
    bool spreadRateTop = false;  // course 1 is OGFC or PEM, laid by spread rate
    int count = 0;
    int existingCount = 0;
    int existingShown = 0;  // existing course 1's row is shown even as "[NO COURSE]"
    std::array<std::int16_t, kFullDepthRows> material{};  // every new row's number, as the record keeps them
    std::array<float, kFullDepthRows> inches{};
    std::array<std::int16_t, kExistingRows> existingMaterial{};
    std::array<float, kExistingRows> existingInches{};
};

// Rows in use must follow each other from the first down.
template <typename InUse>
bool WithoutGaps(const std::int16_t* materials, int first, int rows, InUse inUse) {
    bool ended = false;
    for (int k = first; k < rows; ++k) {
        if (!inUse(materials[k])) {
            ended = true;
        } else if (ended) {
            return false;
        }
    }
    return true;
}

// Which rows hold courses, from the material numbers alone.  Nothing when a
// number is not in its row's list, there is no top course (nor, under an
// overlay, an existing course 1 chosen, if only as "[NO COURSE]"), or a
// course in use lies below a row that is not.
std::optional<Pavement> CoursesInUse(const StructureLayout& layout) {
    Pavement pavement;
    pavement.overlay = layout.overlay;
    for (int row = 0; row < RowsOf(layout.overlay); ++row) {
        const std::int16_t number = layout.material[static_cast<std::size_t>(row)];
        const MaterialSlice& slice = SliceOfRow(layout.overlay, row);
        if (number != 0 && (number < slice.first || number > slice.last)) return std::nullopt;
    }
    const std::int16_t* newRows = layout.material.data();
    if (newRows[0] == 0) return std::nullopt;
    pavement.spreadRateTop = newRows[0] < fulldepth::kFirstMix;  // OGFC and PEM, the same numbers in both lists
    if (!layout.overlay) {
        if (!WithoutGaps(newRows, 1, kFullDepthRows, IsFullDepthCourse)) return std::nullopt;
        pavement.count = static_cast<int>(std::count_if(newRows + 1, newRows + kFullDepthRows, IsFullDepthCourse)) + 1;
        std::copy(newRows, newRows + kFullDepthRows, pavement.material.begin());
        return pavement;
    }
    const std::int16_t* existingRows = newRows + kOverlayCourseRows;
    if (existingRows[0] == 0 || !WithoutGaps(newRows, 1, kOverlayCourseRows, IsOverlayMix) ||
        !WithoutGaps(existingRows, 0, kExistingRows, IsExistingCourse)) {
        return std::nullopt;
    }
    pavement.count = static_cast<int>(std::count_if(newRows + 1, newRows + kOverlayCourseRows, IsOverlayMix)) + 1;
    pavement.existingCount =
        static_cast<int>(std::count_if(existingRows, existingRows + kExistingRows, IsExistingCourse));
    pavement.existingShown = std::max(pavement.existingCount, 1);
    std::copy(newRows, newRows + kOverlayCourseRows, pavement.material.begin());
    std::copy(existingRows, existingRows + kExistingRows, pavement.existingMaterial.begin());
    return pavement;
}

// Whether a row's thickness is read: a course's, and the thickness a
// full-depth OGFC or PEM top course or a "[NO COURSE]" existing course 1 may
// be given (blank counting as 0).  An overlay's OGFC or PEM counts as 0,
// whatever was typed.
enum class Reading { NotRead, Required, Optional };

Reading ReadingOf(const Pavement& pavement, int row) {
    if (!pavement.overlay) {
        if (row >= pavement.count) return Reading::NotRead;
        return row == 0 && pavement.spreadRateTop ? Reading::Optional : Reading::Required;
    }
    if (row < kOverlayCourseRows) {
        return row >= pavement.count || (row == 0 && pavement.spreadRateTop) ? Reading::NotRead : Reading::Required;
    }
    const int k = row - kOverlayCourseRows;
    if (k >= pavement.existingShown) return Reading::NotRead;
    const bool existingCourse = IsExistingCourse(pavement.existingMaterial[static_cast<std::size_t>(k)]);
    return existingCourse ? Reading::Required : Reading::Optional;
}

bool IsCourseThickness(float inches) { return inches >= 0.0f && inches <= kMaxCourseThickness; }

// The courses of a layout with their thicknesses.
std::optional<Pavement> CoursesRead(const StructureLayout& layout) {
    auto read = CoursesInUse(layout);
    if (!read) return std::nullopt;
    Pavement& pavement = *read;
    for (int row = 0; row < RowsOf(pavement.overlay); ++row) {
        if (ReadingOf(pavement, row) == Reading::NotRead) continue;
        const float inches = layout.inches[static_cast<std::size_t>(row)];
        if (!IsCourseThickness(inches)) return std::nullopt;
        if (row < kOverlayCourseRows || !pavement.overlay) {
            pavement.inches[static_cast<std::size_t>(row)] = inches;
        } else {
            pavement.existingInches[static_cast<std::size_t>(row - kOverlayCourseRows)] = inches;
        }
    }
    return read;
}

// ---------------------------------------------------------- top zone found

// Where the bottom of the top asphalt zone lies among the courses.
struct TopZone {
    float depth = kTopZoneInches;  // inches from the surface, an OGFC or PEM top course included
    // The course whose thickness the bottom of the zone splits; 0 when it
    // splits none, or n + 1 when it lies at or below the bottom of the n
    // new courses in use (kept as the record has always kept it).
    int course = 0;
};

// Depths of the bottoms of the new courses in inches, running sums in single
// precision: bottom[k] for course k, bottom[0] the surface.
using Bottoms = std::array<float, kFullDepthRows + 1>;

Bottoms BottomsOf(const Pavement& pavement) {
    Bottoms bottom{};
    for (int k = 1; k <= pavement.count; ++k) {
        bottom[k] = bottom[k - 1] + pavement.inches[static_cast<std::size_t>(k - 1)];
    }
    return bottom;
}

// The zone reaches 4.5 in. below the surface course laid by spread rate, or
// below the surface.  The course split is the first one reaching below the
// zone, except that course 1 ending exactly at the bottom splits nothing:
// course 2 then lies wholly below.  When no new course reaches below it, a
// full-depth pavement of two or more courses lies wholly inside (n + 1); an
// overlay's courses lie inside too, marked n + 1 when they end exactly at the
// bottom, and an asphaltic-concrete existing course 1 reaching below the zone
// is split as course 4.
TopZone FindTopZone(const Pavement& pavement, const Bottoms& bottom) {
    TopZone zone;
    if (pavement.spreadRateTop) zone.depth = pavement.inches[0] + kTopZoneInches;
    const float depth = zone.depth;
    const int n = pavement.count;
    for (int k = 1; k <= n; ++k) {
        if (bottom[k] > depth) {
            zone.course = k == 2 && bottom[1] == depth ? 0 : k;
            return zone;
        }
    }
    if (!pavement.overlay) {
        zone.course = n >= 2 ? n + 1 : 0;
    } else if (n >= 2 && bottom[n] == depth) {
        zone.course = n + 1;
    } else if (pavement.existingMaterial[0] == existing::kAsphalticConcrete && bottom[n] < depth &&
               bottom[n] + pavement.existingInches[0] > depth) {
        zone.course = kExistingCourse1;
    }
    return zone;
}

// Whether course k, counted from the surface and not split, lies inside the
// zone.  Course 1 does whenever it is not split.  When the zone splits no
// course, the courses below course 1 of a full-depth pavement lie below it
// (course 1 ends exactly at the bottom); an overlay's lie inside unless
// course 1 ends exactly at the bottom.
bool InsideTopZone(const Pavement& pavement, const TopZone& zone, int k) {
    if (k == 1) return true;
    if (zone.course == 0) return pavement.overlay && pavement.inches[0] != zone.depth;
    return zone.course > k;
}

// ------------------------------------------------------- structural values

// One part of a course: the whole course, or its part above or below the
// bottom of the top zone.
struct WorkedPart {
    float inches = 0.0f;
    float coefficient = 0.0f;
    // coefficient x inches, in the precision of the coefficient: double for
    // asphalt, single for a base or concrete course.  The precision decides
    // how the value is rounded for showing.
    double product = 0.0;
    bool singleProduct = false;
    double value = 0.0;  // the product as shown, to 0.01
};

WorkedPart AsphaltPart(float inches, bool insideTopZone) {
    const double coefficient = insideTopZone ? kUpperAsphaltCoefficient : kLowerAsphaltCoefficient;
    const double product = coefficient * inches;
    return {inches, static_cast<float>(coefficient), product, false, RoundAsShown(product, 2)};
}

WorkedPart BasePart(float coefficient, float inches) {
    const float product = coefficient * inches;
    return {inches, coefficient, product, true, RoundAsShown(product, 2)};
}

// A shown value, a whole number of hundredths as the nearest double, back as
// that number.
std::int64_t Hundredths(double shownValue) { return std::llround(shownValue * 100.0); }

// How a course's row shows it.
enum class Shown {
    Valued,      // coefficient and structural value of one or two parts
    SpreadRate,  // OGFC or PEM: spread rate, "0.00" and "0.00"
    NameOnly,    // "[NO COURSE]" as existing course 1: name and thickness
};

struct WorkedCourse {
    std::int16_t material = 0;
    bool existing = false;
    Shown shown = Shown::Valued;
    int parts = 1;  // 2 when split at the bottom of the top zone
    std::array<WorkedPart, 2> part{};
};

// The evaluated structure: its courses as the rows show them, top down (the
// new courses, then the existing rows shown), and where the zone ends.
struct WorkedStructure {
    Pavement pavement;
    TopZone zone;
    std::array<WorkedCourse, kOverlayScreenRows> course{};
    int shownCourses = 0;
    // The course split by the bottom of the zone: its place in `course`, and
    // in the record's upperPart and lowerPart (existing course 1 at
    // kExistingCourse1 - 1); -1 when none is.
    int splitCourse = -1;
    int splitIndex = -1;
    std::optional<float> baseCoefficient;  // of the last base or concrete course
    float proposedSn = 0.0f;
};

WorkedCourse Split(std::int16_t material, bool existing, float upper, float lower) {
    WorkedCourse course{material, existing, Shown::Valued, 2, {}};
    course.part[0] = AsphaltPart(upper, true);
    course.part[1] = AsphaltPart(lower, false);
    return course;
}

WorkedCourse Whole(std::int16_t material, bool existing, WorkedPart part) {
    return {material, existing, Shown::Valued, 1, {part, WorkedPart{}}};
}

WorkedCourse NotValued(std::int16_t material, bool existing, Shown shown, float inches) {
    return {material, existing, shown, 1, {WorkedPart{inches}, WorkedPart{}}};
}

// Each course's coefficient and structural value: 0.44 inside the top zone,
// 0.30 below it, split where the zone ends; bases and concrete by their own
// coefficient at any depth.
void WorkOutStructuralValues(const Bottoms& bottom, WorkedStructure& worked) {
    const Pavement& pavement = worked.pavement;
    const float depth = worked.zone.depth;
    for (int k = 1; k <= pavement.count; ++k) {
        const std::int16_t material = pavement.material[static_cast<std::size_t>(k - 1)];
        const float inches = pavement.inches[static_cast<std::size_t>(k - 1)];
        WorkedCourse& course = worked.course[static_cast<std::size_t>(k - 1)];
        if (k == 1 && pavement.spreadRateTop) {
            course = NotValued(material, false, Shown::SpreadRate, inches);
        } else if (!pavement.overlay && !IsFullDepthMix(material)) {
            worked.baseCoefficient = FullDepthBaseCoefficient(material);
            course = Whole(material, false, BasePart(*worked.baseCoefficient, inches));
        } else if (worked.zone.course == k) {
            course = Split(material, false, depth - bottom[k - 1], bottom[k] - depth);
            worked.splitCourse = worked.splitIndex = k - 1;
        } else {
            course = Whole(material, false, AsphaltPart(inches, InsideTopZone(pavement, worked.zone, k)));
        }
    }
    const float overlayBottom = bottom[pavement.count];
    for (int k = 0; k < pavement.existingShown; ++k) {
        const std::int16_t material = pavement.existingMaterial[static_cast<std::size_t>(k)];
        const float inches = pavement.existingInches[static_cast<std::size_t>(k)];
        WorkedCourse& course = worked.course[static_cast<std::size_t>(pavement.count + k)];
        if (k >= pavement.existingCount) {
            course = NotValued(material, true, Shown::NameOnly, inches);
        } else if (material != existing::kAsphalticConcrete) {
            worked.baseCoefficient = ExistingCoefficient(material);
            course = Whole(material, true, BasePart(*worked.baseCoefficient, inches));
        } else if (k == 0 && worked.zone.course == kExistingCourse1) {
            course = Split(material, true, depth - overlayBottom, overlayBottom + inches - depth);
            worked.splitCourse = pavement.count;
            worked.splitIndex = kExistingCourse1 - 1;
        } else {
            // Only existing course 1 can lie inside the zone.
            const bool inside = k == 0 && InsideTopZone(pavement, worked.zone, kExistingCourse1);
            course = Whole(material, true, AsphaltPart(inches, inside));
        }
    }
    worked.shownCourses = pavement.count + pavement.existingShown;
}

// ------------------------------------------------------------- proposed SN

// The sum of the structural values as shown, row by row, in single precision.
float ProposedSnOf(const WorkedStructure& worked) {
    float proposed = 0.0f;
    for (int k = 0; k < worked.shownCourses; ++k) {
        const WorkedCourse& course = worked.course[static_cast<std::size_t>(k)];
        for (int p = 0; p < course.parts; ++p) {
            const double value = course.part[static_cast<std::size_t>(p)].value;
            if (value > 0.0) proposed = static_cast<float>(proposed + value);
        }
    }
    return proposed;
}

// The steps of an evaluation, on numbers: courses read, top zone found,
// structural values, proposed SN.
std::optional<WorkedStructure> WorkOut(const StructureLayout& layout) {
    auto pavement = CoursesRead(layout);
    if (!pavement) return std::nullopt;
    std::optional<WorkedStructure> worked(std::in_place);
    worked->pavement = *pavement;
    const Bottoms bottom = BottomsOf(worked->pavement);
    worked->zone = FindTopZone(worked->pavement, bottom);
    WorkOutStructuralValues(bottom, *worked);
    worked->proposedSn = ProposedSnOf(*worked);
    return worked;
}

// ------------------------------------------------------ the sheet written

void WriteThickness(ResultRow& row, int cell, float inches) {
    row[static_cast<std::size_t>(cell)] = FormatNumber(inches, "#0.00");
    row[static_cast<std::size_t>(cell + 1)] = FormatNumber(kMmPerInch * inches, "###");
}

// Asphalt coefficients are shown as fixed texts, the others as numbers.
std::string CoefficientText(const WorkedPart& part) {
    if (part.singleProduct) return FormatNumber(part.coefficient, "0.00");
    return part.coefficient == static_cast<float>(kUpperAsphaltCoefficient) ? "0.44" : "0.30";
}

std::string ValueText(const WorkedPart& part) {
    return part.singleProduct ? FormatNumber(static_cast<float>(part.product), "0.00")
                              : FormatNumber(part.product, "0.00");
}

void WriteRow(const WorkedCourse& course, const std::string& name, ResultRow& row) {
    row[kMaterialCell] = name;
    switch (course.shown) {
        case Shown::SpreadRate: {
            const SpreadRate& rate = SpreadRateOf(course.material);
            row[kInchesCell] = std::string(rate.imperial);
            row[kMillimetresCell] = std::string(rate.metric);
            row[kCoefficientCell] = "0.00";
            row[kStructuralValueCell] = "0.00";
            return;
        }
        case Shown::NameOnly: WriteThickness(row, kInchesCell, course.part[0].inches); return;
        case Shown::Valued:
            for (int p = 0; p < course.parts; ++p) {
                const WorkedPart& part = course.part[static_cast<std::size_t>(p)];
                const int first = p == 0 ? kInchesCell : kLowerInchesCell;
                WriteThickness(row, first, part.inches);
                row[static_cast<std::size_t>(first + 2)] = CoefficientText(part);
                row[static_cast<std::size_t>(first + 3)] = ValueText(part);
            }
            return;
    }
}

EvaluatedCourse NumbersOf(const WorkedCourse& course) {
    EvaluatedCourse numbers;
    numbers.material = course.material;
    numbers.existing = course.existing;
    numbers.spreadRate = course.shown == Shown::SpreadRate;
    numbers.parts.reserve(static_cast<std::size_t>(course.parts));
    for (int p = 0; p < course.parts; ++p) {
        const WorkedPart& part = course.part[static_cast<std::size_t>(p)];
        numbers.parts.push_back({part.inches, part.coefficient, part.value});
    }
    return numbers;
}

// The record keeps what was evaluated and the working values of the zone.
void WriteRecord(const WorkedStructure& worked, DesignRecord& record) {
    const Pavement& pavement = worked.pavement;
    record.mmPerInch = kMmPerInch;
    record.topZoneDepth = worked.zone.depth;
    record.topZoneCourse = static_cast<float>(worked.zone.course);
    if (pavement.overlay) {
        std::copy_n(pavement.material.begin(), kOverlayCourseRows, record.overlayCourseMaterial.begin());
        record.existingCourseMaterial = pavement.existingMaterial;
        record.overlayCourseCount = static_cast<std::int16_t>(pavement.count);
        record.existingCourseCount = static_cast<std::int16_t>(pavement.existingCount);
        std::copy_n(pavement.inches.begin(), pavement.count, record.overlayThickness.begin());
        std::copy_n(pavement.existingInches.begin(), pavement.existingShown, record.existingThickness.begin());
    } else {
        record.fullDepthCourseMaterial = pavement.material;
        record.fullDepthCourseCount = static_cast<std::int16_t>(pavement.count);
        std::copy_n(pavement.inches.begin(), pavement.count, record.fullDepthThickness.begin());
    }
    if (worked.splitCourse >= 0) {
        const WorkedCourse& split = worked.course[static_cast<std::size_t>(worked.splitCourse)];
        record.upperPart[static_cast<std::size_t>(worked.splitIndex)] = split.part[0].inches;
        record.lowerPart[static_cast<std::size_t>(worked.splitIndex)] = split.part[1].inches;
    }
    if (worked.baseCoefficient) record.baseCoefficient = *worked.baseCoefficient;
    record.proposedSn = worked.proposedSn;
    record.snDifferencePercent = static_cast<float>(
        std::fabs((static_cast<double>(worked.proposedSn) - record.requiredSn) / record.requiredSn * 100.0));
}

const std::string& NameOf(const WorkedCourse& course, bool overlay, const DesignRecord& record) {
    const auto index = static_cast<std::size_t>(course.material - 1);
    if (course.existing) return record.existingMaterials[index];
    return overlay ? record.overlayMaterials[index] : record.fullDepthMaterials[index];
}

// The sheet as the result screen shows it, and the numbers behind it.
Evaluation Written(const WorkedStructure& worked, const DesignRecord& record) {
    const Pavement& pavement = worked.pavement;
    Evaluation evaluation;
    ResultSheet& sheet = evaluation.sheet;
    StructureNumbers& numbers = evaluation.numbers;
    sheet.rows.resize(static_cast<std::size_t>(RowsOf(pavement.overlay)));
    numbers.overlay = pavement.overlay;
    numbers.courses.reserve(static_cast<std::size_t>(worked.shownCourses));
    for (int k = 0; k < worked.shownCourses; ++k) {
        const WorkedCourse& course = worked.course[static_cast<std::size_t>(k)];
        const int row = k < pavement.count ? k : kOverlayCourseRows + (k - pavement.count);
        WriteRow(course, NameOf(course, pavement.overlay, record), sheet.rows[static_cast<std::size_t>(row)]);
        numbers.courses.push_back(NumbersOf(course));
    }
    numbers.proposedSn = worked.proposedSn;
    numbers.requiredSn = record.requiredSn;
    numbers.topZoneDepth = worked.zone.depth;
    sheet.requiredSn = FormatNumber(record.requiredSn, "0.00");
    sheet.proposedSn = FormatNumber(worked.proposedSn, "0.00");
    sheet.difference = FormatNumber(record.snDifferencePercent, "##0.0") + "%";
    if (worked.proposedSn > record.requiredSn) {
        sheet.verdict = kOverdesign;
    } else if (worked.proposedSn < record.requiredSn) {
        sheet.verdict = kUnderdesign;
    } else {
        sheet.verdict = kExactVerdict;
    }
    return evaluation;
}

bool CanCompare(const DesignRecord& record) {
    return std::isfinite(record.requiredSn) && record.requiredSn != 0.0f;
}

// The thickness of a course whose thickness does not count (a surface course
// laid by spread rate, or no course): blank means none.
std::optional<float> OptionalThickness(const std::string& text) {
    if (text.find_first_not_of(" \t") == std::string::npos) return 0.0f;
    return CourseThickness(text);
}

// The rows of an entry screen, wherever they are kept.
struct Rows {
    bool overlay = false;
    std::array<const CourseEntry*, kOverlayScreenRows> row{};
};

std::optional<StructureLayout> ReadRows(const Rows& rows) {
    StructureLayout layout;
    layout.overlay = rows.overlay;
    for (int k = 0; k < RowsOf(rows.overlay); ++k) {
        const auto row = static_cast<std::size_t>(k);
        layout.material[row] = SliceOfRow(rows.overlay, k).MaterialAt(rows.row[row]->position);
    }
    const auto pavement = CoursesInUse(layout);
    if (!pavement) return std::nullopt;
    for (int k = 0; k < RowsOf(rows.overlay); ++k) {
        const auto row = static_cast<std::size_t>(k);
        std::optional<float> inches = 0.0f;
        switch (ReadingOf(*pavement, k)) {
            case Reading::NotRead: break;
            case Reading::Required: inches = CourseThickness(rows.row[row]->thickness); break;
            case Reading::Optional: inches = OptionalThickness(rows.row[row]->thickness); break;
        }
        if (!inches) return std::nullopt;
        layout.inches[row] = *inches;
    }
    return layout;
}

// Courses read, top zone found, structural values, proposed SN; then the
// record and the sheet written.  Nothing is written unless every step
// succeeded.
std::optional<Evaluation> EvaluateRows(const Rows& rows, DesignRecord& record) {
    if (!CanCompare(record)) return std::nullopt;
    const auto layout = ReadRows(rows);
    if (!layout) return std::nullopt;
    const auto worked = WorkOut(*layout);
    if (!worked) return std::nullopt;
    WriteRecord(*worked, record);
    return Written(*worked, record);
}

Rows RowsOfScreen(const EnteredStructure& structure) {
    Rows rows{structure.overlay, {}};
    for (std::size_t k = 0; k < structure.rows.size(); ++k) rows.row[k] = &structure.rows[k];
    return rows;
}

bool HasScreenRows(const EnteredStructure& structure) {
    return static_cast<int>(structure.rows.size()) == RowsOf(structure.overlay);
}

}  // namespace

std::optional<float> CourseThickness(std::string_view text) {
    auto value = ParseSingle(text);
    if (!value || *value < 0.0f || *value > kMaxCourseThickness) return std::nullopt;
    return value;
}

MaterialList RowList(const EnteredStructure& structure, int row) {
    if (!structure.overlay) return MaterialList::FullDepth;
    return row < kOverlayCourseRows ? MaterialList::Overlay : MaterialList::Existing;
}

std::int16_t MaterialInRow(const EnteredStructure& structure, int row) {
    if (row < 0 || row >= static_cast<int>(structure.rows.size()) || row >= RowsOf(structure.overlay)) return 0;
    return SliceOfRow(structure.overlay, row).MaterialAt(structure.rows[static_cast<std::size_t>(row)].position);
}

double LeastGainPerInch(const EnteredStructure& structure, int row) {
    constexpr double kZoneLoss = kUpperAsphaltCoefficient - kLowerAsphaltCoefficient;
    const std::int16_t m = MaterialInRow(structure, row);
    switch (RowList(structure, row)) {
        case MaterialList::FullDepth: {
            const double base = FullDepthBaseCoefficient(m);
            return (base > 0.0 ? base : kLowerAsphaltCoefficient) - kZoneLoss;
        }
        case MaterialList::Overlay: return kLowerAsphaltCoefficient - kZoneLoss;
        case MaterialList::Existing:
            return m == existing::kAsphalticConcrete ? kLowerAsphaltCoefficient : ExistingCoefficient(m);
    }
    return 0.0;
}

std::optional<StructureLayout> ReadStructure(const EnteredStructure& structure) {
    if (!HasScreenRows(structure)) return std::nullopt;
    return ReadRows(RowsOfScreen(structure));
}

std::optional<float> ProposedSn(const StructureLayout& layout) {
    const auto worked = WorkOut(layout);
    if (!worked) return std::nullopt;
    return worked->proposedSn;
}

std::optional<RowHundredths> ShownValueHundredths(const StructureLayout& layout) {
    const auto worked = WorkOut(layout);
    if (!worked) return std::nullopt;
    const Pavement& pavement = worked->pavement;
    RowHundredths rows{};
    for (int k = 0; k < worked->shownCourses; ++k) {
        const WorkedCourse& course = worked->course[static_cast<std::size_t>(k)];
        const int row = k < pavement.count ? k : kOverlayCourseRows + (k - pavement.count);
        for (int p = 0; p < course.parts; ++p) {
            rows[static_cast<std::size_t>(row)] += Hundredths(course.part[static_cast<std::size_t>(p)].value);
        }
    }
    return rows;
}

std::int64_t ValueBelowZoneHundredths(MaterialList list, std::int16_t material, float inches) {
    if (IsSpreadRate(list, material) || IsNoCourse(list, material) || material == 0) return 0;
    switch (list) {
        case MaterialList::FullDepth:
            if (IsFullDepthMix(material)) break;
            return Hundredths(BasePart(FullDepthBaseCoefficient(material), inches).value);
        case MaterialList::Overlay: break;
        case MaterialList::Existing:
            if (material == existing::kAsphalticConcrete) break;
            return Hundredths(BasePart(ExistingCoefficient(material), inches).value);
    }
    return Hundredths(AsphaltPart(inches, false).value);
}

std::optional<ResultSheet> EvaluateFullDepth(const std::array<CourseEntry, 5>& courses,
                                             DesignRecord& record) {
    Rows rows{false, {}};
    for (std::size_t k = 0; k < courses.size(); ++k) rows.row[k] = &courses[k];
    auto evaluation = EvaluateRows(rows, record);
    if (!evaluation) return std::nullopt;
    return std::move(evaluation->sheet);
}

std::optional<ResultSheet> EvaluateOverlay(const std::array<CourseEntry, 3>& overlay,
                                           const std::array<CourseEntry, 3>& existing,
                                           DesignRecord& record) {
    Rows rows{true, {}};
    for (std::size_t k = 0; k < overlay.size(); ++k) rows.row[k] = &overlay[k];
    for (std::size_t k = 0; k < existing.size(); ++k) rows.row[kOverlayCourseRows + k] = &existing[k];
    auto evaluation = EvaluateRows(rows, record);
    if (!evaluation) return std::nullopt;
    return std::move(evaluation->sheet);
}

std::optional<Evaluation> Evaluate(const EnteredStructure& structure, DesignRecord& record) {
    if (!HasScreenRows(structure)) return std::nullopt;
    return EvaluateRows(RowsOfScreen(structure), record);
}

}  // namespace korvelle
