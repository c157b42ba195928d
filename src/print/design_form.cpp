#include "design_form.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/number_format.h"
#include "print_items.h"
#include "core/utf8.h"

namespace korvelle {

namespace {

using Item = PrintItem;

constexpr std::string_view kTitle = "FLEXIBLE PAVEMENT DESIGN ANALYSIS";
constexpr std::string_view kStructureHeading = "PROPOSED FLEXIBLE PAVEMENT STRUCTURE";
constexpr std::string_view kComparisonTitle = "COMPARISON OF ALTERNATIVE STRUCTURES";
constexpr double kTitleEnlargement = 4.0;  // points above the base size

// Column grid of the structure table and of the lines that differ between
// the two forms.
struct FormColumns {
    int county;
    std::array<int, 3> headings1;  // "Thickness", "Structural", "Structural"
    std::array<int, 5> headings2;  // "Material", "Inches", "(mm)", "Coefficient", "Value"
    int inchesEnd;                 // last column of the inch text
    int millimetresEnd;            // last column of the millimetre text, ")" after it
    int coefficient;
    int structuralValue;
    int proposedSn;
};

constexpr FormColumns kFullDepthColumns{55, {34, 51, 65}, {7, 28, 43, 51, 67}, 33, 45, 53, 68, 54};
constexpr FormColumns kOverlayColumns{53, {38, 55, 67}, {8, 32, 47, 54, 70}, 37, 49, 57, 71, 57};

// Consecutive course rows of the sheet printed as one group, with a label
// line before them when the form has one.
struct CourseGroup {
    std::string_view label;  // empty: none
    int labelColumn = 0;
    std::size_t firstRow = 0;
    int count = 0;  // courses in use; the first course prints even when below 1
    int maxCount = 0;
    bool secondLinesAfterFirst = true;  // whether courses after the first may show a second line
};

struct FormLayout {
    FormColumns columns;
    double gapLines;  // gap between two courses, as a part of the height of "a"
    std::size_t rowsNeeded;
    std::vector<CourseGroup> groups;
};

int Length(std::string_view text) { return static_cast<int>(Utf8Length(text)); }

class FormPrinter {
public:
    FormPrinter(Page& page, const DesignRecord& record, const ResultSheet& sheet, const FormLayout& layout,
                const std::vector<ComparisonLine>& comparison)
        : page_(page), out_(page), record_(record), sheet_(sheet), layout_(layout), comparison_(comparison) {}

    void Print(const std::string& face, double size) {
        PrintTitle(face, size);
        PrintProject();
        PrintTraffic();
        PrintDesignLoading();
        PrintDesignData();
        PrintStructure();
        PrintVerdict();
        PrintSignOff();
        if (!comparison_.empty()) PrintComparison(size);
        page_.SetBold(false);
        page_.EndDocument();
    }

private:
    void Bold(bool on) { page_.SetBold(on); }
    void Underline(bool on) { page_.SetUnderline(on); }
    void EmptyLine() { out_.Print(Item::EndOfLine()); }
    std::string Separator(char c, std::size_t count) { return std::string(count, c); }

    // Puts x where the text stands centred on the printable width (at the
    // left edge when it is wider than the page).
    void CentreFor(std::string_view text) {
        double width = page_.TextWidth(text);
        page_.SetX(std::max(0.0, page_.PrintableWidth() / 2.0 - width / 2.0));
    }

    // A title centred at the top of the page, larger, bold and underlined.
    void Title(std::string_view title, double size) {
        page_.SetSize(size + kTitleEnlargement);
        CentreFor(title);
        Bold(true);
        Underline(true);
        out_.Print({Item::Text(std::string(title)), Item::EndOfLine()});
        Underline(false);
        page_.SetSize(size);
        EmptyLine();
    }

    // The comparison of the alternatives, on a page of its own.
    void PrintComparison(double size) {
        Bold(false);
        page_.NewPage();
        page_.SetX(0.0);
        page_.SetY(0.0);
        Title(kComparisonTitle, size);
        LabelledValue(3, "Project: ", record_.projectNumber);
        LabelledValue(3, "Date: ", record_.designDate);
        LabelledValue(3, "Required SN = ", sheet_.requiredSn);
        EmptyLine();
        for (const ComparisonLine& line : comparison_) {
            Bold(true);
            out_.Print({Item::Column(3), Item::Text(line.name)});
            Bold(false);
            out_.Print({Item::Text(" (" + line.kind + ")"), Item::EndOfLine()});
            if (!line.courses.empty()) out_.Print({Item::Column(6), Item::Text(line.courses), Item::EndOfLine()});
            out_.Print({Item::Column(6), Item::Text("Total " + line.totalThickness + " in.")});
            if (!line.proposedSn.empty()) {
                out_.Print({Item::Spaces(3), Item::Text("Proposed SN " + line.proposedSn), Item::Spaces(3),
                            Item::Text(line.difference + " " + line.verdict)});
            } else {
                out_.Print({Item::Spaces(3), Item::Text(line.verdict)});
            }
            out_.Print(Item::EndOfLine());
            if (!line.cost.empty()) out_.Print({Item::Column(6), Item::Text("Cost " + line.cost), Item::EndOfLine()});
            EmptyLine();
        }
    }

    void PrintTitle(const std::string& face, double size) {
        page_.SetFaceName(face);
        page_.SetSize(size);
        page_.SetScaleInches();
        page_.SetX(0.0);
        page_.SetY(0.0);
        Title(kTitle, size);
    }

    // A bold label followed by its value in plain type; bold stays off.
    void LabelledValue(int column, std::string_view label, const std::string& value) {
        Bold(true);
        out_.Print({Item::Column(column), Item::Text(std::string(label))});
        Bold(false);
        out_.Print({Item::Text(value), Item::EndOfLine()});
    }

    void PrintProject() {
        out_.Print({Item::Column(3), Item::Text("Project: ")});
        Bold(false);
        out_.Print({Item::Text(record_.projectNumber), Item::Column(layout_.columns.county)});
        Bold(true);
        out_.Print(Item::Text("County: "));
        Bold(false);
        out_.Print({Item::Text(record_.countyName), Item::EndOfLine()});
        LabelledValue(3, "P.I. no.: ", record_.piNumber);
        LabelledValue(3, "Description: ", record_.projectDescription);
        EmptyLine();
        EmptyLine();
    }

    void TrafficYearLine(std::string_view caption, std::int32_t aadt, std::int16_t year) {
        out_.Print({Item::Column(5), Item::Text(std::string(caption)), Item::Column(42),
                    Item::Text(FormatNumber(aadt, "##,###")), Item::Text(" vpd"), Item::Spaces(1),
                    Item::Text("("), Item::Text(FormatNumber(std::int32_t{year}, "0")), Item::Text(")"),
                    Item::EndOfLine()});
    }

    void PrintTraffic() {
        Bold(true);
        Underline(true);
        out_.Print({Item::Column(3), Item::Text("Traffic Data")});
        Bold(false);
        Underline(false);
        out_.Print({Item::Text(" (NOTE: AADTs are one-way)"), Item::EndOfLine()});
        out_.Print({Item::Column(5), Item::Text("24-hour Truck Percentage: "),
                    Item::Text(FormatNumber(record_.truckPercent, "#0.00")), Item::Text("%"), Item::EndOfLine()});
        TrafficYearLine("AADT initial year of design period:", record_.initialAadt, record_.initialYear);
        TrafficYearLine("AADT final year of design period:", record_.finalAadt, record_.finalYear);
        out_.Print({Item::Column(5), Item::Text("Mean AADT (one-way):"), Item::Column(42),
                    Item::Text(FormatNumber(record_.meanAadt, "##,###")), Item::Text(" vpd"), Item::EndOfLine()});
        EmptyLine();
    }

    // A bold, underlined section heading on a line of its own.
    void SectionHeading(std::string_view heading) {
        Bold(true);
        Underline(true);
        out_.Print({Item::Column(3), Item::Text(std::string(heading)), Item::EndOfLine()});
        Bold(false);
        Underline(false);
    }

    void PrintDesignLoading() {
        SectionHeading("Design Loading");
        out_.Print({Item::Column(3), Item::Text("Mean AADT"), Item::Spaces(8), Item::Text("LDF"), Item::Spaces(6),
                    Item::Text("Trucks"), Item::Spaces(8), Item::Text("18-K ESAL"), Item::Spaces(6),
                    Item::Text("Total Daily Loads"), Item::EndOfLine()});
        out_.Print({Item::Column(4), Item::Text(FormatNumber(record_.meanAadt, "##,###")), Item::Spaces(4),
                    Item::Text("*"), Item::Column(19), Item::Text(FormatNumber(record_.ldf / 100.0f, "0.00")),
                    Item::Spaces(2), Item::Text("*"), Item::Column(29),
                    Item::Text(FormatNumber(record_.truckPercent / 100.0f, "0.000")), Item::Spaces(4),
                    Item::Text("*"), Item::Column(45), Item::Text(FormatNumber(record_.esal18, "0.00")),
                    Item::Spaces(6), Item::Text("="), Item::Column(61),
                    Item::Text(FormatNumber(record_.dailyLoads, "##,###")), Item::EndOfLine()});
        EmptyLine();
        out_.Print({Item::Column(5), Item::Text("Total predicted design period loading ="),
                    Item::Number(record_.dailyLoads), Item::Text("*"),
                    Item::Number(std::int64_t{record_.finalYear} - record_.initialYear), Item::Text("* 365 = "),
                    Item::Text(FormatNumber(record_.designLoading, kDesignLoadingPattern)), Item::EndOfLine()});
        EmptyLine();
    }

    void PrintDesignData() {
        SectionHeading("Design Data");
        out_.Print({Item::Column(5), Item::Text("Terminal Serviceability Index: "),
                    Item::Text(FormatNumber(record_.terminalServiceability, "0.00")), Item::EndOfLine()});
        out_.Print({Item::Column(5), Item::Text("Soil Support: "),
                    Item::Text(FormatNumber(record_.soilSupport, "0.00")), Item::EndOfLine()});
        out_.Print({Item::Column(5), Item::Text("Regional Factor: "),
                    Item::Text(FormatNumber(record_.regionalFactor, "0.00")), Item::EndOfLine()});
        EmptyLine();
    }

    void SeparatorLine() { out_.Print({Item::Column(3), Item::Text(Separator('=', 75)), Item::EndOfLine()}); }

    // Inch text, millimetre text in brackets, coefficient and structural value
    // from four consecutive cells, each number ending in its fixed column.
    void ThicknessCells(const ResultRow& row, std::size_t first) {
        const FormColumns& c = layout_.columns;
        out_.Print({Item::Column(c.inchesEnd + 1 - Length(row[first])), Item::Text(row[first]),
                    Item::Column(c.millimetresEnd - Length(row[first + 1])), Item::Text("("),
                    Item::Text(row[first + 1]), Item::Text(")"), Item::Column(c.coefficient),
                    Item::Text(row[first + 2]), Item::Column(c.structuralValue), Item::Text(row[first + 3]),
                    Item::EndOfLine()});
    }

    void CourseRow(const ResultRow& row, bool mayHaveSecondLine) {
        out_.Print({Item::Column(3), Item::Text(row[kMaterialCell])});
        ThicknessCells(row, kInchesCell);
        if (mayHaveSecondLine && !row[kLowerInchesCell].empty()) ThicknessCells(row, kLowerInchesCell);
    }

    void CourseGap() { page_.SetY(page_.Y() + layout_.gapLines * page_.TextHeight("a")); }

    void Courses(const CourseGroup& group) {
        for (int k = 1;; ++k) {
            CourseRow(sheet_.rows[group.firstRow + k - 1], k == 1 || group.secondLinesAfterFirst);
            if (group.count > k) CourseGap();
            if (group.count < k + 1 || k == group.maxCount) break;
        }
    }

    void PrintStructure() {
        const FormColumns& c = layout_.columns;
        Bold(true);
        CentreFor(kStructureHeading);
        out_.Print({Item::Text(std::string(kStructureHeading)), Item::EndOfLine()});
        SeparatorLine();
        out_.Print({Item::Column(c.headings1[0]), Item::Text("Thickness"), Item::Column(c.headings1[1]),
                    Item::Text("Structural"), Item::Column(c.headings1[2]), Item::Text("Structural"),
                    Item::EndOfLine()});
        out_.Print({Item::Column(c.headings2[0]), Item::Text("Material"), Item::Column(c.headings2[1]),
                    Item::Text("Inches"), Item::Column(c.headings2[2]), Item::Text("(mm)"),
                    Item::Column(c.headings2[3]), Item::Text("Coefficient"), Item::Column(c.headings2[4]),
                    Item::Text("Value"), Item::EndOfLine()});
        SeparatorLine();
        Bold(false);
        bool first = true;
        for (const CourseGroup& group : layout_.groups) {
            if (!first) EmptyLine();
            first = false;
            if (!group.label.empty()) {
                Bold(true);
                out_.Print({Item::Column(group.labelColumn), Item::Text(std::string(group.label)),
                            Item::EndOfLine()});
                Bold(false);
            }
            Courses(group);
        }
        Bold(true);
        SeparatorLine();
        Bold(false);
    }

    void PrintVerdict() {
        out_.Print({Item::Column(3), Item::Text("Required SN = "), Item::Text(sheet_.requiredSn),
                    Item::Column(layout_.columns.proposedSn), Item::Text("Proposed SN = "),
                    Item::Text(sheet_.proposedSn),
                    Item::EndOfLine()});
        EmptyLine();
        Bold(true);
        out_.Print({Item::Column(17), Item::Text(">>> Proposed pavement is "), Item::Text(sheet_.difference),
                    Item::Spaces(1), Item::Text(sheet_.verdict), Item::Text(" <<<"), Item::EndOfLine()});
        EmptyLine();
        out_.Print({Item::Column(3), Item::Text("Remarks: ")});
        Bold(false);
        out_.Print({Item::Text(record_.designComments), Item::EndOfLine()});
        EmptyLine();
        EmptyLine();
    }

    // The designer's name and the date stand on the "Prepared by" rule: the
    // rule is printed, then the same line again over it.
    void PreparedBy() {
        out_.MakeRoomForLine();
        double x = page_.X();
        double y = page_.Y();
        int pages = out_.NewPagesStarted();
        Bold(true);
        out_.Print({Item::Column(3), Item::Text("Prepared by "), Item::Text(Separator('_', 63)), Item::EndOfLine()});
        Bold(false);
        // A rule too wide for the page may have run onto a new one; the
        // name then goes to the top of that page.
        page_.SetX(x);
        page_.SetY(out_.NewPagesStarted() == pages ? y : 0.0);
        out_.Print({Item::Column(20), Item::Text(record_.designerName), Item::Column(59),
                    Item::Text(record_.designDate),
                    Item::EndOfLine()});
    }

    struct SignOffTitles {
        std::string_view recommending;
        int recommendingColumn;
        std::string_view approving;
        int approvingColumn;
    };

    void TitleLine(std::string_view title, int column) {
        out_.Print({Item::Column(column), Item::Text(std::string(title)), Item::Column(63), Item::Text("Date"),
                    Item::EndOfLine()});
    }

    void PrintSignOff() {
        static constexpr std::array<SignOffTitles, 5> kTitles = {{
            {"State Urban Design Engineer", 20, "State Pavement Engineer", 24},
            {"State Road Design Engineer", 20, "State Pavement Engineer", 24},
            {"State Tarnholt Engineer", 18, "District Engineer", 26},
            {"State Consultant Design Engineer", 19, "State Pavement Engineer", 24},
            {"State Tarnholt Engineer", 18, "State Consultant Design Engineer", 20},
        }};
        const SignOffTitles* titles =
            record_.officeIndex >= 0 && record_.officeIndex < static_cast<int>(kTitles.size())
                ? &kTitles[static_cast<std::size_t>(record_.officeIndex)]
                : nullptr;
        PreparedBy();
        Bold(true);
        out_.Print({Item::Column(63), Item::Text("Date"), Item::EndOfLine()});
        EmptyLine();
        out_.Print({Item::Column(3), Item::Text("Recommended "), Item::Text(Separator('_', 63)), Item::EndOfLine()});
        if (titles) TitleLine(titles->recommending, titles->recommendingColumn);
        EmptyLine();
        out_.Print({Item::Column(3), Item::Text("Approved "), Item::Text(Separator('_', 66)), Item::EndOfLine()});
        if (titles) TitleLine(titles->approving, titles->approvingColumn);
    }

    Page& page_;
    ItemPrinter out_;
    const DesignRecord& record_;
    const ResultSheet& sheet_;
    const FormLayout& layout_;
    const std::vector<ComparisonLine>& comparison_;
};

void PrintForm(Page& page, const DesignRecord& record, const ResultSheet& sheet, const std::string& face,
               double size, const FormLayout& layout, const std::vector<ComparisonLine>& comparison) {
    if (!std::isfinite(size) || size <= 0.0) throw std::invalid_argument("font size must be a positive number");
    if (sheet.rows.size() < layout.rowsNeeded) throw std::invalid_argument("result sheet has too few course rows");
    FormPrinter(page, record, sheet, layout, comparison).Print(face, size);
}

}  // namespace

void PrintFullDepthForm(Page& page, const DesignRecord& record, const ResultSheet& sheet,
                        const std::string& face, double size, const std::vector<ComparisonLine>& comparison) {
    const FormLayout layout{kFullDepthColumns, 1.0 / 2.0, 5, {{{}, 0, 0, record.fullDepthCourseCount, 5, true}}};
    PrintForm(page, record, sheet, face, size, layout, comparison);
}

void PrintOverlayForm(Page& page, const DesignRecord& record, const ResultSheet& sheet,
                      const std::string& face, double size, const std::vector<ComparisonLine>& comparison) {
    const FormLayout layout{kOverlayColumns,
                            1.0 / 3.0,
                            6,
                            {{"*** OVERLAY ***", 35, 0, record.overlayCourseCount, 3, true},
                             {"*** EXISTING PAVEMENT ***", 30, 3, record.existingCourseCount, 3, false}}};
    PrintForm(page, record, sheet, face, size, layout, comparison);
}

}  // namespace korvelle
