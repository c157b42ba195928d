#include "design_rules.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/materials.h"
#include "core/number_format.h"
#include "core/number_text.h"
#include "core/utf8.h"
#include "data_screens.h"
#include "startup_screens.h"

namespace korvelle {

namespace {

using P = ProjectInformationScreen;
using D = DesignDataScreen;

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

DesignRefusal FieldRefusal(ScreenId screen, const FieldRule& rule, int control, std::string_view message,
                           bool focuses) {
    return DesignRefusal{screen, std::string(rule.caption), control, std::string(message), focuses};
}

// CONTINUE's passes over the numeric fields of a screen, each pass over all of
// them before the next: every field filled, every text a number of its kind,
// no value a design cannot have (this one puts the keyboard on its field).
std::optional<DesignRefusal> ConvertRequired(ScreenId screen, std::span<const FieldRule* const> rules,
                                             std::span<const std::string> texts, std::span<const int> controls,
                                             std::vector<FieldValue>& values) {
    for (int control : controls) {
        if (texts[control].empty()) return FieldRefusal(screen, *rules[control], control, kRequiredMessage, false);
    }
    values.clear();
    for (int control : controls) {
        auto value = ConvertField(*rules[control], texts[control]);
        if (!value) return FieldRefusal(screen, *rules[control], control, kNumberNeededMessage, false);
        values.push_back(*value);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (Impossible(*rules[controls[i]], values[i])) {
            return FieldRefusal(screen, *rules[controls[i]], controls[i], kRangeMessage, true);
        }
    }
    return std::nullopt;
}

// The values outside their normal range, with the limits held in `limits`.
void AddUnusual(ScreenCheck& check, ScreenId screen, std::span<const FieldRule* const> rules,
                std::span<const std::string> texts, std::span<const int> controls, const std::vector<FieldValue>& values,
                const DesignRecord& limits) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const FieldRule& rule = *rules[controls[i]];
        if (!OutsideNormalRange(rule, values[i], limits)) continue;
        check.unusual.push_back(
            {screen, controls[i], &rule, Trimmed(texts[controls[i]]), NormalRangeText(rule, limits)});
    }
}

// ----------------------------------------------------------- structure rows

constexpr std::array<CourseRowRule, kFullDepthRows> kFullDepthRowRules{{{kFullDepthTopList, 24, false},
                                                                        {kFullDepthLowerList, 64, true},
                                                                        {kFullDepthLowerList, 64, true},
                                                                        {kFullDepthLowerList, 64, true},
                                                                        {kFullDepthLowerList, 64, true}}};
constexpr std::array<CourseGroup, 1> kFullDepthGroups{{{"", 0, kFullDepthRows, kTopCourseMessage}}};
constexpr std::array<CourseRowRule, kOverlayScreenRows> kOverlayRowRules{{{kOverlayTopList, 24, false},
                                                                          {kOverlayLowerList, 24, true},
                                                                          {kOverlayLowerList, 24, true},
                                                                          {kExistingList, 64, true},
                                                                          {kExistingList, 64, true},
                                                                          {kExistingList, 64, true}}};
constexpr std::array<CourseGroup, 2> kOverlayGroups{{{"Overlay", 0, kOverlayCourseRows, kTopOverlayMessage},
                                                     {"Existing", kOverlayCourseRows, kOverlayCourseRows,
                                                      kTopExistingMessage}}};

std::string GroupCourseName(const CourseGroup& group, int course) {
    std::string name = "COURSE " + std::to_string(course);
    return group.name.empty() ? name : std::string(group.name) + " " + name;
}

// No thickness: blank, or a number that shows as 0.00 in. ("0", "-0", "00",
// "0.004"), which is no course.
bool NoThickness(const std::string& text) {
    if (text.empty()) return true;
    const std::optional<float> inches = ParseSingle(text);
    return inches && RoundAsShown(*inches, 2) == 0.0;
}

bool Blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// The thickness the checks and the evaluation take: as typed, or "0" for a
// course laid by spread rate.
std::string ThicknessOf(const StructureRules& rules, std::span<const CourseEntry> rows, int row) {
    const CourseEntry& entry = rows[static_cast<std::size_t>(row)];
    return rules.SpreadRate(row, entry.position) ? std::string(kSpreadRateThickness) : entry.thickness;
}

// No course lies below a row without one, and every course's thickness is a
// number of inches.
std::optional<DesignRefusal> CheckGroups(const StructureRules& rules, std::span<const CourseEntry> rows, int fitting) {
    auto refused = [&](std::string message) { return DesignRefusal{rules.screen, {}, -1, std::move(message), false}; };
    for (const CourseGroup& group : rules.groups) {
        const auto thicknessRefused = [&](int k) {
            return refused("The thickness of " + GroupCourseName(group, k + 1) +
                           " must be a number of inches from 0 to " + FormatNumber(kMaxCourseThickness, "0") +
                           " (for example 1.50)");
        };
        int empty = -1;  // first course of the group without a course in it
        for (int k = 0; k < group.rows; ++k) {
            const int r = group.firstRow + k;
            const std::string thickness = ThicknessOf(rules, rows, r);
            if (!rules.InUse(r, rows[static_cast<std::size_t>(r)].position)) {
                if (empty < 0) empty = k;
                // The top row of a group is evaluated and shown even when it
                // holds "[NO COURSE]": a thickness typed there must be sound.
                if (k == 0 && !Blank(thickness) && !CourseThickness(thickness)) return thicknessRefused(k);
                continue;
            }
            if (empty >= 0) {
                return refused(GroupCourseName(group, empty + 1) + " has no course, but " +
                               GroupCourseName(group, k + 1) + " below it has one: choose a material for " +
                               GroupCourseName(group, empty + 1) + " or move the courses below it up");
            }
            if (r != fitting && !CourseThickness(thickness)) return thicknessRefused(k);
        }
    }
    return std::nullopt;
}

// ------------------------------------------------------------ file texts

// A typed text the screen's field could hold: within its most characters,
// and no control character.
std::optional<DesignRefusal> TextRefusal(ScreenId screen, std::string_view field, const std::string& text,
                                         int maxLength) {
    std::string message;
    if (maxLength > 0 && Utf8Length(text) > static_cast<std::size_t>(maxLength)) {
        message = "holds at most " + std::to_string(maxLength) + " characters";
    } else if (HoldsControlCharacter(text)) {
        message = kControlCharacterMessage;
    } else {
        return std::nullopt;
    }
    return DesignRefusal{screen, std::string(field), -1, message, false};
}

template <std::size_t N>
std::optional<DesignRefusal> ScreenTextsRefusal(ScreenId screen, std::span<const FieldRule* const> rules,
                                                const std::array<std::string, N>& texts) {
    for (std::size_t i = 0; i < N; ++i) {
        if (auto refusal = TextRefusal(screen, rules[i]->caption, texts[i], rules[i]->maxLength)) return refusal;
    }
    return std::nullopt;
}

std::optional<DesignRefusal> CoursesTextRefusal(const StructureRules& rules, std::span<const CourseRow> rows) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string field = rules.CourseName(static_cast<int>(r)) + " THICKNESS (INCHES)";
        if (auto refusal = TextRefusal(rules.screen, field, rows[r].thickness, 0)) return refusal;
    }
    return std::nullopt;
}

// Each alternative's name, unique, and its thicknesses as its entry screen's
// fields would hold them.
std::optional<DesignRefusal> AlternativesRefusal(const std::vector<Alternative>& alternatives) {
    for (std::size_t a = 0; a < alternatives.size(); ++a) {
        const Alternative& alternative = alternatives[a];
        const StructureRules& rules = RulesOf(alternative.kind);
        const std::string field = "ALTERNATIVE " + std::to_string(a + 1) + " NAME";
        if (auto refusal = AlternativeNameRefusal(alternative.name)) {
            return DesignRefusal{rules.screen, field, -1, *refusal, false};
        }
        const auto earlier = alternatives.begin() + static_cast<std::ptrdiff_t>(a);
        if (std::any_of(alternatives.begin(), earlier, [&](const Alternative& e) { return e.name == alternative.name; })) {
            return DesignRefusal{rules.screen, field, -1, "\"" + alternative.name + "\" names an earlier alternative",
                                 false};
        }
        if (auto refusal = CoursesTextRefusal(rules, alternative.rows)) {
            refusal->field = "alternative " + alternative.name + ", " + refusal->field;
            return refusal;
        }
    }
    return std::nullopt;
}

// Every text of the file as its screen's field would hold it.
std::optional<DesignRefusal> TextsRefusal(const DesignFile& file, const std::vector<CountyEntry>& counties) {
    static constexpr std::array<const FieldRule*, kDesignerFields> kDesignerRules = {
        &fields::kDesignerName, &fields::kComments, &fields::kDesignDate};
    if (auto refusal = ScreenTextsRefusal(ScreenId::ProjectInformation, ProjectInformationFields(), file.project)) {
        return refusal;
    }
    if (auto refusal = ScreenTextsRefusal(ScreenId::DesignData, DesignDataFields(), file.designData)) return refusal;
    if (auto refusal = ScreenTextsRefusal(ScreenId::DesignerInformation, kDesignerRules, file.designer)) {
        return refusal;
    }
    if (auto refusal = TextRefusal(ScreenId::LdfWorksheet, fields::kLdfWorksheetEntry.caption,
                                   file.ldfWorksheetEntry, fields::kLdfWorksheetEntry.maxLength)) {
        return refusal;
    }
    if (!file.county.empty() &&
        std::none_of(counties.begin(), counties.end(), [&](const CountyEntry& e) { return e.name == file.county; })) {
        return DesignRefusal{ScreenId::CountyWorksheet, {}, -1, "\"" + file.county + "\" is not in the county table",
                             false};
    }
    if (auto refusal = TextRefusal(ScreenId::CountyWorksheet, "Soil Support", file.countySoilSupport, 0)) {
        return refusal;
    }
    if (auto refusal = TextRefusal(ScreenId::CountyWorksheet, "Regional Factor", file.countyRegionalFactor, 0)) {
        return refusal;
    }
    if (file.fullDepth) {
        if (auto refusal = CoursesTextRefusal(FullDepthRules(), *file.fullDepth)) return refusal;
    }
    if (file.overlay) {
        if (auto refusal = CoursesTextRefusal(OverlayRules(), *file.overlay)) return refusal;
    }
    return AlternativesRefusal(file.alternatives);
}

// ------------------------------------------------------------ the chain

// The data screens in the order the designer confirms them.
enum class Chain { ProjectInformation, DesignData, DesignerInformation, Done };

// How many of the data screens a stage has confirmed.
Chain ConfirmedBy(DesignStage stage) {
    switch (stage) {
        case DesignStage::ProjectInformation: return Chain::ProjectInformation;
        case DesignStage::DesignData: return Chain::DesignData;
        case DesignStage::DesignerInformation: return Chain::DesignerInformation;
        default: return Chain::Done;
    }
}

// Confirms the data screens from `from` up to (not including) `to`, each
// through its CONTINUE, going on with unusual values as a designer did.
std::optional<DesignRefusal> Confirm(const DesignFile& file, Chain from, Chain to, DesignRecord& record,
                                     std::vector<UnusualValue>& unusual) {
    for (auto step = static_cast<int>(from); step < static_cast<int>(to); ++step) {
        ScreenCheck check;
        switch (static_cast<Chain>(step)) {
            case Chain::ProjectInformation: check = CheckProjectInformation(file.project, record); break;
            case Chain::DesignData: check = CheckDesignData(file.designData, record); break;
            case Chain::DesignerInformation:
                StoreDesignerInformation(file.designer, record);
                record.menuChoice = MainMenu::kFullDepth;  // a finished data entry chooses it
                continue;
            case Chain::Done: continue;
        }
        if (check.refusal) return check.refusal;
        unusual.insert(unusual.end(), check.unusual.begin(), check.unusual.end());
        record = std::move(check.record);
    }
    return std::nullopt;
}

// The evaluation of a structure of the file, or why CONTINUE refuses it.
std::variant<Evaluation, DesignRefusal> EvaluateFromFile(const DesignFile& file, StructureKind kind,
                                                        DesignRecord& record) {
    const std::vector<CourseEntry> rows = kind == StructureKind::FullDepth ? CourseEntries(*file.fullDepth)
                                                                           : CourseEntries(*file.overlay);
    return EvaluateStructure(RulesOf(kind), rows, record);
}

bool HoldsRows(const DesignFile& file, StructureKind kind) {
    return kind == StructureKind::FullDepth ? file.fullDepth.has_value() : file.overlay.has_value();
}

StructureKind Other(StructureKind kind) {
    return kind == StructureKind::FullDepth ? StructureKind::Overlay : StructureKind::FullDepth;
}

}  // namespace

std::string_view SnErrorMessage(SnError error) {
    switch (error) {
        case SnError::DesignPeriodNotPositive: return kPeriodMessage;
        case SnError::RegionalFactorNotPositive: return kRegionalFactorMessage;
        case SnError::ServiceabilityLossNotPositive: return kServiceabilityMessage;
        case SnError::TrafficOverflow: return kLoadingTooLargeMessage;
        case SnError::LoadingNotPositive: return kNoLoadingMessage;
        default: return kNoSnMessage;
    }
}

std::string_view ScreenName(ScreenId screen) {
    switch (screen) {
        case ScreenId::ProjectInformation: return "Project information";
        case ScreenId::DesignData: return "Design data";
        case ScreenId::DesignerInformation: return "Designer information";
        case ScreenId::LdfWorksheet: return "LDF worksheet";
        case ScreenId::CountyWorksheet: return "County worksheet";
        case ScreenId::FullDepthEntry: return FullDepthRules().name;
        case ScreenId::OverlayEntry: return OverlayRules().name;
        default: return "Design";
    }
}

std::optional<std::string> AlternativeNameRefusal(std::string_view name) {
    if (name.find_first_not_of(' ') == std::string_view::npos) return "must be entered";
    if (Utf8Length(name) > static_cast<std::size_t>(kMaxAlternativeName)) {
        return "holds at most " + std::to_string(kMaxAlternativeName) + " characters";
    }
    if (HoldsControlCharacter(name)) return std::string(kControlCharacterMessage);
    return std::nullopt;
}

std::string DesignRefusal::Text() const {
    return std::string(ScreenName(screen)) + (field.empty() ? std::string() : ", " + field) + ": " + message;
}

std::string UnusualValue::Line() const {
    return std::string(rule->caption) + " " + text + " (normal range " + normalRange + ")";
}

std::optional<std::string_view> EnterRefusal(const FieldRule& rule, std::string_view text, DesignRecord& record) {
    if (!(LeadingValue(text) > 0.0)) return kRangeMessage;
    const auto value = ConvertField(rule, text);
    if (!value) return kNumberNeededMessage;
    StoreField(rule, *value, record);
    if (OutsideNormalRange(rule, *value, record)) return kRangeMessage;
    return std::nullopt;
}

std::optional<std::string_view> ValueRefusal(const FieldRule& rule, std::string_view text) {
    if (text.empty()) return kRequiredMessage;
    const auto value = ConvertField(rule, text);
    if (!value) return kNumberNeededMessage;
    if (Impossible(rule, *value)) return kRangeMessage;
    return std::nullopt;
}

ScreenCheck CheckProjectInformation(const ProjectTexts& texts, const DesignRecord& record) {
    static constexpr std::array<int, 5> kNumeric = {P::kInitialYear, P::kInitialTraffic, P::kFinalYear,
                                                    P::kFinalTraffic, P::kTruckPercent};
    const ScreenId screen = ScreenId::ProjectInformation;
    const auto rules = ProjectInformationFields();
    ScreenCheck check;
    std::vector<FieldValue> values;
    if ((check.refusal = ConvertRequired(screen, rules, texts, kNumeric, values))) return check;
    // The initial and final years are the first and third values.
    if (std::get<std::int16_t>(values[2]) <= std::get<std::int16_t>(values[0])) {
        check.refusal = FieldRefusal(screen, *rules[P::kFinalYear], P::kFinalYear, kPeriodMessage, true);
        return check;
    }
    AddUnusual(check, screen, rules, texts, kNumeric, values, record);
    check.record = record;
    check.record.projectNumber = texts[P::kProjectNumber];
    check.record.piNumber = texts[P::kPiNumber];
    check.record.countyName = texts[P::kCounty];
    check.record.projectDescription = texts[P::kDescription];
    for (std::size_t i = 0; i < kNumeric.size(); ++i) StoreField(*rules[kNumeric[i]], values[i], check.record);
    return check;
}

ScreenCheck CheckDesignData(const DesignDataTexts& texts, const DesignRecord& record) {
    static constexpr std::array<int, kDesignDataFields> kAll = {D::kLdf,           D::kTerminalServiceability,
                                                                D::kSoilSupport,   D::kRegionalFactor,
                                                                D::kSingleUnitEsal, D::kMultiUnitEsal,
                                                                D::kRepresentativeEsal};
    const ScreenId screen = ScreenId::DesignData;
    const auto rules = DesignDataFields();
    ScreenCheck check;
    std::vector<FieldValue> values;
    if ((check.refusal = ConvertRequired(screen, rules, texts, kAll, values))) return check;
    check.record = record;
    for (std::size_t i = 0; i < kAll.size(); ++i) StoreField(*rules[kAll[i]], values[i], check.record);
    // The design equation needs a serviceability loss above zero.
    if (!LeavesServiceabilityToLose(check.record.terminalServiceability)) {
        check.refusal = FieldRefusal(screen, *rules[D::kTerminalServiceability], D::kTerminalServiceability,
                                     kServiceabilityMessage, true);
        return check;
    }
    // The representative ESAL's range is that of the two factors as stored now.
    AddUnusual(check, screen, rules, texts, kAll, values, check.record);
    if (auto refusal = RequiredSnRefusal(check.record)) {
        check.refusal = DesignRefusal{screen, {}, -1, std::string(*refusal), false};
        check.afterQuestion = true;
    }
    return check;
}

std::optional<std::string_view> RequiredSnRefusal(DesignRecord& record, SnSearch search) {
    if (!LeavesServiceabilityToLose(record.terminalServiceability)) return kServiceabilityMessage;
    record.serviceabilityLoss = ServiceabilityLoss(record.terminalServiceability);
    const SnStatus status = ComputeRequiredSn(record, search);
    if (!status) return SnErrorMessage(status.error());
    return std::nullopt;
}

void StoreDesignerInformation(const DesignerTexts& texts, DesignRecord& record) {
    using G = DesignerInformationScreen;
    record.designerName = texts[G::kDesignerName];
    record.designComments = texts[G::kComments];
    record.designDate = texts[G::kDate];
}

std::int16_t StructureRules::Material(int row, int position) const {
    return rows[static_cast<std::size_t>(row)].list.MaterialAt(position);
}

bool StructureRules::InUse(int row, int position) const {
    const CourseRowRule& rule = rows[static_cast<std::size_t>(row)];
    const std::int16_t m = rule.list.MaterialAt(position);
    return m != 0 && !(rule.lastIsNoCourse && m == rule.list.last);
}

bool StructureRules::SpreadRate(int row, int position) const {
    // OGFC and PEM come first in both top-course lists.
    const std::int16_t m = Material(row, position);
    return row == 0 && m >= 1 && m < fulldepth::kFirstMix;
}

std::string StructureRules::CourseName(int row) const {
    for (const CourseGroup& group : groups) {
        if (row >= group.firstRow && row < group.firstRow + group.rows) {
            return GroupCourseName(group, row - group.firstRow + 1);
        }
    }
    return {};
}

const StructureRules& FullDepthRules() {
    static const StructureRules rules{ScreenId::FullDepthEntry, "Proposed pavement structure", StructureKind::FullDepth,
                                      kFullDepthRowRules, kFullDepthGroups};
    return rules;
}

const StructureRules& OverlayRules() {
    static const StructureRules rules{ScreenId::OverlayEntry, "Proposed overlay", StructureKind::Overlay,
                                      kOverlayRowRules, kOverlayGroups};
    return rules;
}

const StructureRules& RulesOf(StructureKind kind) {
    return kind == StructureKind::FullDepth ? FullDepthRules() : OverlayRules();
}

std::optional<DesignRefusal> CheckStructure(const StructureRules& rules, std::span<const CourseEntry> rows,
                                            int fitting) {
    for (const CourseGroup& group : rules.groups) {
        if (rows[static_cast<std::size_t>(group.firstRow)].position < 0) {
            return DesignRefusal{rules.screen, {}, -1, std::string(group.topMessage), false};
        }
        for (int r = group.firstRow; r < group.firstRow + group.rows; ++r) {
            const CourseEntry& entry = rows[static_cast<std::size_t>(r)];
            if (rules.SpreadRate(r, entry.position)) continue;
            if (rules.InUse(r, entry.position) && r != fitting && NoThickness(entry.thickness)) {
                return DesignRefusal{rules.screen, {}, -1, std::string(kThicknessMessage), false};
            }
        }
    }
    return CheckGroups(rules, rows, fitting);
}

EnteredStructure ToEvaluate(const StructureRules& rules, std::span<const CourseEntry> rows) {
    EnteredStructure structure;
    structure.overlay = rules.kind == StructureKind::Overlay;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        structure.rows.push_back({rows[static_cast<std::size_t>(r)].position, ThicknessOf(rules, rows, r)});
    }
    return structure;
}

std::variant<Evaluation, DesignRefusal> EvaluateStructure(const StructureRules& rules,
                                                         std::span<const CourseEntry> rows, DesignRecord& record) {
    if (auto refusal = CheckStructure(rules, rows)) return *refusal;
    auto evaluation = Evaluate(ToEvaluate(rules, rows), record);
    if (!evaluation) return DesignRefusal{rules.screen, {}, -1, std::string(kNotEvaluatedMessage), false};
    return std::move(*evaluation);
}

std::vector<CourseEntry> CourseEntries(std::span<const CourseRow> rows) {
    std::vector<CourseEntry> entries;
    entries.reserve(rows.size());
    for (const CourseRow& row : rows) entries.push_back({row.position, row.thickness});
    return entries;
}

AcceptanceBasis BasisOf(const DesignFile& file, StructureKind kind) {
    AcceptanceBasis basis;
    std::copy(file.project.begin() + P::kInitialYear, file.project.end(), basis.traffic.begin());
    basis.designData = file.designData;
    if (kind == StructureKind::FullDepth && file.fullDepth) {
        basis.courses.assign(file.fullDepth->begin(), file.fullDepth->end());
    } else if (kind == StructureKind::Overlay && file.overlay) {
        basis.courses.assign(file.overlay->begin(), file.overlay->end());
    }
    return basis;
}

AcceptedStructure Accepted(StructureKind kind, const ResultSheet& sheet, const DesignRecord& record) {
    return AcceptedStructure{kind, true, FormatNumber(record.designLoading, kDesignLoadingPattern), sheet};
}

std::string ResultDifference::Text() const {
    auto shown = [](const std::string& text) { return text.empty() ? std::string("(blank)") : text; };
    return what + ": saved " + shown(saved) + ", now " + shown(now);
}

std::vector<ResultDifference> Differences(const AcceptedStructure& saved, const AcceptedStructure& now) {
    static constexpr std::array<const char*, std::tuple_size_v<ResultRow>> kCellNames = {
        "material",
        "thickness (inches)",
        "thickness (mm)",
        "structural coefficient",
        "structural value",
        "second part thickness (inches)",
        "second part thickness (mm)",
        "second part structural coefficient",
        "second part structural value"};
    std::vector<ResultDifference> differences;
    auto compare = [&](const std::string& what, const std::string& a, const std::string& b) {
        if (a != b) differences.push_back({what, a, b});
    };
    compare("Design loading", saved.designLoading, now.designLoading);
    compare("Required SN", saved.sheet.requiredSn, now.sheet.requiredSn);
    const StructureRules& rules = RulesOf(saved.kind);
    for (std::size_t r = 0; r < saved.sheet.rows.size() && r < now.sheet.rows.size(); ++r) {
        // "COURSE 3", "overlay COURSE 1", "existing COURSE 2".
        std::string row = rules.CourseName(static_cast<int>(r));
        if (saved.kind == StructureKind::Overlay) row[0] = static_cast<char>(std::tolower(row[0]));
        for (std::size_t c = 0; c < kCellNames.size(); ++c) {
            compare(row + " " + kCellNames[c], saved.sheet.rows[r][c], now.sheet.rows[r][c]);
        }
    }
    compare("Proposed SN", saved.sheet.proposedSn, now.sheet.proposedSn);
    compare("Difference", saved.sheet.difference, now.sheet.difference);
    compare("Verdict", saved.sheet.verdict, now.sheet.verdict);
    return differences;
}

CheckedDesign CheckDesign(const DesignFile& file, const std::vector<CountyEntry>& counties) {
    CheckedDesign checked;
    DesignRecord& record = checked.record;
    InitMaterialLists(record);
    if ((checked.refusal = TextsRefusal(file, counties))) return checked;
    record.officeIndex = static_cast<std::int16_t>(file.office);

    const Chain confirmed = ConfirmedBy(file.stage);
    if ((checked.refusal = Confirm(file, Chain::ProjectInformation, confirmed, record, checked.unusual))) {
        return checked;
    }
    if (!file.accepted) return checked;
    if (!file.accepted->current) {
        checked.accepted = file.accepted;  // kept for the record, as saved
        return checked;
    }

    // A current acceptance computes now from the file's entries.  On the main
    // menu the structures are evaluated on the design's own record as the
    // designer left them: the other structure first (it was accepted
    // earlier, as far as it goes), the accepted one last.  Before the main
    // menu, the rest of the chain and the evaluation run on a copy.
    const StructureKind kind = file.accepted->kind;
    auto keep = [&](StructureKind k, Evaluation evaluation) {
        (k == StructureKind::FullDepth ? checked.fullDepth : checked.overlay) = std::move(evaluation);
    };
    DesignRecord scratch;
    const bool onMainMenu = file.stage == DesignStage::MainMenu;
    DesignRecord& on = onMainMenu ? record : scratch;
    if (onMainMenu) {
        if (HoldsRows(file, Other(kind))) {
            auto other = EvaluateFromFile(file, Other(kind), record);
            if (auto* evaluation = std::get_if<Evaluation>(&other)) keep(Other(kind), std::move(*evaluation));
        }
    } else {
        scratch = record;
        std::vector<UnusualValue> unusual;
        if ((checked.refusal = Confirm(file, confirmed, Chain::Done, scratch, unusual))) return checked;
    }
    auto evaluated = EvaluateFromFile(file, kind, on);
    if (auto* refusal = std::get_if<DesignRefusal>(&evaluated)) {
        checked.refusal = *refusal;
        return checked;
    }
    Evaluation& evaluation = std::get<Evaluation>(evaluated);
    if (onMainMenu) {
        // The designer's way to the accepted structure went through its option.
        record.menuChoice = kind == StructureKind::Overlay ? MainMenu::kOverlay : MainMenu::kFullDepth;
    }
    checked.accepted = Accepted(kind, evaluation.sheet, on);
    checked.acceptedRecord = on;
    checked.differences = Differences(*file.accepted, *checked.accepted);
    if (onMainMenu) keep(kind, std::move(evaluation));
    return checked;
}

}  // namespace korvelle
