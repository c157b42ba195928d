// Random full-depth and overlay structures: material positions in and out of
// the lists, thickness texts of every kind, any required structural number.
// Straight through both evaluations, and through the entry screens' checks
// and CONTINUE.  Every displayed cell must read back as the number it stands
// for, the proposed SN must be the sum of the structural values shown, and a
// refused structure must leave the design record as it was.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/materials.h"
#include "core/number_format.h"
#include "core/number_text.h"
#include "core/structure_evaluation.h"
#include "fuzz_support.h"
#include "ui/structure_screens.h"

namespace {

using namespace korvelle;
using korvelle::fuzz::Check;
using korvelle::fuzz::FirstDifference;
using korvelle::fuzz::Shown;

std::string PickThickness(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 9)) {
        case 0: return "";
        case 1: return "0";
        case 2: return in.PickValueInArray<std::string>({" ", "0.00", "00", " 0", "-1", "-0", "1,5", "2.5.", ".", "+3"});
        case 3: return in.ConsumeRandomLengthString(60);
        case 4: return std::string(in.ConsumeIntegralInRange<std::size_t>(1, 45), '9');
        case 5: return FormatNumber(in.ConsumeFloatingPoint<float>(), "0.00");
        case 6: return FormatNumber(in.ConsumeFloatingPointInRange<double>(0.0, 100.0), "0.000");
        default: return FormatNumber(in.ConsumeIntegralInRange<int>(0, 64) / 4.0, "#0.00");
    }
}

float PickRequiredSn(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 5)) {
        case 0: return 0.0f;
        case 1: return in.ConsumeFloatingPoint<float>();
        case 2: return std::numeric_limits<float>::quiet_NaN();
        default: return in.ConsumeFloatingPointInRange<float>(0.5f, 8.0f);
    }
}

std::optional<double> Number(const std::string& text) { return ParseNumber(text); }

std::string RowText(const ResultRow& row) {
    std::string text;
    for (const std::string& cell : row) text += Shown(cell) + " ";
    return text;
}

bool IsSpreadRate(const ResultRow& row) {
    return (row[kInchesCell] == kOgfcSpreadRate.imperial && row[kMillimetresCell] == kOgfcSpreadRate.metric) ||
           (row[kInchesCell] == kPemSpreadRate.imperial && row[kMillimetresCell] == kPemSpreadRate.metric);
}

// Inches, millimetres, coefficient and structural value of one line of a
// row: each a number as shown, the millimetres 25.4 times the inches and the
// value the coefficient times the inches, within the rounding of the texts.
// Returns the structural value shown.
double CheckLine(const ResultRow& row, int first, bool lower, const std::string& where) {
    const std::string line = where + " " + RowText(row);
    const auto inches = Number(row[first]);
    Check(inches && *inches >= 0.0, "the inch cell is a number of inches", line);
    // "###" prints nothing for a thickness under half a millimetre.
    const auto mm = row[first + 1].empty() ? std::optional<double>(0.0) : Number(row[first + 1]);
    Check(mm.has_value(), "the millimetre cell is a number", line);
    Check(std::fabs(*mm - 25.4 * *inches) <= 0.5 + 25.4 * 0.005 + 1e-6 * *mm,
          "the millimetres are the inches times 25.4", line);
    const std::string& c = row[first + 2];
    Check(lower ? c == "0.30" : (c == "0.44" || c == "0.30" || c == "0.40" || c == "0.20" || c == "0.16" || c == "0.10"),
          "the coefficient is one of the layer coefficients", line);
    const double coefficient = *Number(c);
    const auto value = Number(row[first + 3]);
    Check(value.has_value(), "the structural value is a number", line);
    Check(std::fabs(*value - coefficient * *inches) <= 0.005 + coefficient * 0.005 + 1e-6 * *value,
          "the structural value is the coefficient times the inches shown", line);
    return *value;
}

// A whole sheet: `rows` rows, rows from `singleLineFrom` on without a second
// line, thicknesses from the record.
void CheckSheet(const ResultSheet& sheet, const DesignRecord& record, std::size_t rows, std::size_t singleLineFrom,
                const std::string& where) {
    Check(sheet.rows.size() == rows, "a sheet has one row per course row", where);
    double sum = 0.0;
    for (std::size_t r = 0; r < rows; ++r) {
        const ResultRow& row = sheet.rows[r];
        const std::string at = where + " row " + FormatNumber(static_cast<std::int32_t>(r), "0");
        if (row[kMaterialCell].empty()) {
            for (const std::string& cell : row) Check(cell.empty(), "a row without a course is empty", at + RowText(row));
            continue;
        }
        const bool secondLine = !row[kLowerInchesCell].empty();
        for (int c = kLowerInchesCell; c <= kLowerStructuralValueCell; ++c) {
            Check(row[c].empty() != secondLine || (c == kLowerMillimetresCell && row[c].empty()),
                  "a second line is whole or absent", at + RowText(row));
        }
        Check(!secondLine || r < singleLineFrom, "rows of one line never show a second", at + RowText(row));
        if (IsSpreadRate(row)) {
            Check(r == 0 && row[kCoefficientCell] == "0.00" && row[kStructuralValueCell] == "0.00" && !secondLine,
                  "a spread-rate course is the top course and carries nothing", at + RowText(row));
            continue;
        }
        if (row[kCoefficientCell].empty()) {
            Check(row[kMaterialCell] == kNoCourseName && row[kStructuralValueCell].empty() && !secondLine,
                  "only a row without a course has no coefficient", at + RowText(row));
            continue;
        }
        sum += CheckLine(row, kInchesCell, false, at);
        if (secondLine) {
            Check(row[kCoefficientCell] == "0.44", "a split course takes 0.44 above the split", at + RowText(row));
            sum += CheckLine(row, kLowerInchesCell, true, at);
        }
    }
    const auto required = Number(sheet.requiredSn);
    const auto proposed = Number(sheet.proposedSn);
    Check(sheet.requiredSn == FormatNumber(record.requiredSn, "0.00"), "the required SN shown is the record's", where);
    Check(proposed.has_value() && required.has_value(), "both structural numbers are numbers", where);
    Check(std::fabs(*proposed - sum) <= 0.0051 + 1e-6 * sum, "the proposed SN is the sum of the values shown",
          where + " " + sheet.proposedSn);
    Check(std::fabs(record.proposedSn - sum) <= 1e-6 * sum + 1e-6, "the record holds the sum of the values shown",
          where);
    Check(sheet.verdict == kOverdesign || sheet.verdict == kUnderdesign || sheet.verdict == kExactVerdict,
          "the verdict is one of the known texts", sheet.verdict);
    const std::string expected = record.proposedSn > record.requiredSn   ? kOverdesign
                                 : record.proposedSn < record.requiredSn ? kUnderdesign
                                                                         : kExactVerdict;
    Check(sheet.verdict == expected, "the verdict compares the proposed with the required SN", sheet.verdict);
    Check(!sheet.difference.empty() && sheet.difference.back() == '%', "the difference is a percentage", where);
    const auto difference = Number(sheet.difference.substr(0, sheet.difference.size() - 1));
    Check(difference.has_value(), "the difference is a number", sheet.difference);
    const double exact = std::fabs((record.proposedSn - record.requiredSn) / record.requiredSn * 100.0);
    Check(std::fabs(*difference - exact) <= 0.05 + 1e-5 * exact, "the difference is the SN difference in percent",
          sheet.difference);
}

void CheckFullDepth(const ResultSheet& sheet, const DesignRecord& record, const std::string& where) {
    CheckSheet(sheet, record, 5, 5, where);
    const int n = record.fullDepthCourseCount;
    Check(n >= 1 && n <= 5, "one to five courses", where);
    for (int k = 0; k < 5; ++k) {
        const ResultRow& row = sheet.rows[k];
        Check(row[kMaterialCell].empty() == (k >= n), "the rows of the courses in use are filled", where);
        if (k >= n) continue;
        Check(row[kMaterialCell] == record.fullDepthMaterials[record.fullDepthCourseMaterial[k] - 1],
              "each row names its course's material", where);
        // The parts of a split course add up to the course.
        if (!row[kLowerInchesCell].empty()) {
            const double whole = *Number(row[kInchesCell]) + *Number(row[kLowerInchesCell]);
            Check(std::fabs(whole - record.fullDepthThickness[k]) <= 0.0101 + 1e-6 * whole,
                  "the two parts of a split course make the course", where + " " + RowText(row));
        }
    }
}

void CheckOverlay(const ResultSheet& sheet, const DesignRecord& record, const std::string& where) {
    CheckSheet(sheet, record, 6, 4, where);
    const int n = record.overlayCourseCount;
    const int existing = record.existingCourseCount;
    Check(n >= 1 && n <= 3 && existing >= 0 && existing <= 3, "course counts", where);
    for (int k = 0; k < 3; ++k) {
        Check(sheet.rows[k][kMaterialCell].empty() == (k >= n), "the overlay rows in use are filled", where);
        Check(sheet.rows[3 + k][kMaterialCell].empty() == (k >= std::max(existing, 1)),
              "the existing rows in use are filled", where);
    }
}

void Direct(FuzzedDataProvider& in) {
    DesignRecord record;
    InitMaterialLists(record);
    record.requiredSn = PickRequiredSn(in);
    const bool overlay = in.ConsumeBool();
    std::array<CourseEntry, 6> entries;
    for (CourseEntry& e : entries) {
        e.position = in.ConsumeIntegralInRange<int>(-2, 11);
        e.thickness = PickThickness(in);
    }
    const DesignRecord before = record;
    std::optional<ResultSheet> sheet;
    if (overlay) {
        sheet = EvaluateOverlay({entries[0], entries[1], entries[2]}, {entries[3], entries[4], entries[5]}, record);
    } else {
        sheet = EvaluateFullDepth({entries[0], entries[1], entries[2], entries[3], entries[4]}, record);
    }
    std::string where = overlay ? "overlay" : "full depth";
    for (const CourseEntry& e : entries) where += " " + Shown(e.thickness);
    if (!sheet) {
        Check(FirstDifference(before, record).empty(), "a refused evaluation leaves the record unchanged",
              where + " " + FirstDifference(before, record));
        return;
    }
    Check(std::isfinite(record.requiredSn) && record.requiredSn != 0.0f, "an evaluation needs a required SN", where);
    if (overlay) {
        CheckOverlay(*sheet, record, where);
    } else {
        CheckFullDepth(*sheet, record, where);
    }
}

// The entry screen's own CONTINUE, with the checks before the evaluation.
void ThroughScreen(FuzzedDataProvider& in) {
    DesignRecord record;
    fuzz::FuzzDesktop desktop;
    fuzz::FuzzWindows windows;
    Program program(record, desktop, windows);
    program.Start();
    record.requiredSn = PickRequiredSn(in);
    const bool overlay = in.ConsumeBool();
    const ScreenId id = overlay ? ScreenId::OverlayEntry : ScreenId::FullDepthEntry;
    const ScreenId result = overlay ? ScreenId::OverlayResult : ScreenId::FullDepthResult;
    auto& screen = program.logic<StructureEntryScreen>(id);
    FormView& view = program.view(id);

    for (int round = 0; round < 4 && in.remaining_bytes() > 0; ++round) {
        for (int r = 0; r < screen.rows(); ++r) {
            if (in.ConsumeBool()) view.SetChoice(screen.List(r), in.ConsumeIntegralInRange<int>(-1, screen.row(r).list.size() - 1));
            if (in.ConsumeBool()) view.SetText(screen.Thickness(r), PickThickness(in));
            if (in.ConsumeIntegralInRange<int>(0, 3) == 0) {
                view.SetChoice(screen.Scroll(r), in.ConsumeIntegralInRange<int>(0, screen.row(r).scrollMaximum));
                screen.Changed(screen.Scroll(r));
            }
        }
        desktop.Clear();
        const DesignRecord before = record;
        const std::size_t shown = windows.shown.size();
        std::string where = overlay ? "overlay screen" : "full-depth screen";
        for (int r = 0; r < screen.rows(); ++r) where += " " + Shown(view.Text(screen.Thickness(r)));
        screen.Click(screen.ContinueButton());

        Check(desktop.messages.size() <= 1 && desktop.beeps == static_cast<int>(desktop.messages.size()),
              "CONTINUE gives at most one message, with its beep", where);
        const bool resultShown = windows.shown.size() > shown && windows.shown.back() == result;
        if (!desktop.messages.empty()) {
            Check(!desktop.messages[0].empty(), "a message says something", where);
            Check(!resultShown, "a refused structure shows no result", where);
            Check(FirstDifference(before, record).empty(), "a refused structure leaves the record unchanged",
                  where + " " + FirstDifference(before, record));
            continue;
        }
        Check(resultShown, "an accepted structure shows its result", where);
        // Every course in use had its thickness entered.
        for (int r = 0; r < screen.rows(); ++r) {
            const int position = view.Choice(screen.List(r));
            const std::int16_t m = screen.row(r).list.MaterialAt(position);
            const bool inUse = m != 0 && !(screen.row(r).lastIsNoCourse && m == screen.row(r).list.last);
            const std::string text = view.Text(screen.Thickness(r));
            const bool spreadRate = r == 0 && m >= 1 && m <= 2;  // laid by spread rate, thickness "0"
            if (inUse && !spreadRate) Check(!text.empty() && text != "0", "a course in use has a thickness", where);
        }
        ResultSheet displayed = program.logic<ResultScreen>(result).Displayed();
        if (overlay) {
            CheckOverlay(displayed, record, where);
        } else {
            CheckFullDepth(displayed, record, where);
        }
        program.logic<ResultScreen>(result).Click(program.logic<ResultScreen>(result).EditButton());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool()) {
        Direct(in);
    } else {
        ThroughScreen(in);
    }
    return 0;
}
