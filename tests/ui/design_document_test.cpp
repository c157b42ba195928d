#include "ui/design_document.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/number_format.h"
#include "fakes.h"
#include "print/char_grid_page.h"
#include "print/design_form.h"
#include "file/recovery_copy.h"
#include "ui/design_capture.h"

namespace korvelle {
namespace {

using P = ProjectInformationScreen;
using D = DesignDataScreen;
using G = DesignerInformationScreen;
using M = MainMenu;

std::vector<CountyEntry> Counties() {
    return {{"APPLING", "4.0", "1.6"}, {"BAKER", "4.0", "1.5"}, {"COBB (north)", "2.5", "1.8"}, {"WORTH", "3.5", "1.4"}};
}

struct FileRun : Harness {
    FakeStore store;
    FileRun() {
        program.document().SetStore(&store);
        Logic<CountyWorksheet>(ScreenId::CountyWorksheet).SetTable(Counties());
    }
    // Opens a file of another run's disk from the start-up screen.
    bool OpenFrom(const FakeStore& other, const std::string& path) {
        store.files = other.files;
        program.Start();
        return program.document().OpenFile(path);
    }
};

// Every value of the record, floats bit for bit, as one text.
std::string RecordBits(const DesignRecord& r) {
    std::ostringstream out;
    auto f = [&](float v) { out << std::bit_cast<std::uint32_t>(v) << ' '; };
    auto i = [&](long long v) { out << v << ' '; };
    auto s = [&](const std::string& v) { out << '[' << v << "] "; };
    s(r.projectNumber), s(r.piNumber), s(r.countyName), s(r.projectDescription);
    i(r.initialYear), i(r.finalYear), i(r.initialAadt), i(r.finalAadt), f(r.truckPercent);
    f(r.ldf), f(r.terminalServiceability), f(r.serviceabilityLoss), f(r.soilSupport), f(r.regionalFactor);
    f(r.singleUnitEsal), f(r.multiUnitEsal), f(r.esal18);
    i(r.meanAadt), i(r.dailyLoads), i(r.designLoading), f(r.requiredSn), f(r.snDifferencePercent), f(r.proposedSn);
    i(r.officeIndex), s(r.designerName), s(r.designDate), s(r.designComments), i(r.menuChoice);
    f(r.mmPerInch), f(r.topZoneCourse), f(r.topZoneDepth), i(r.fullDepthCourseCount), i(r.overlayCourseCount);
    i(r.existingCourseCount), f(r.baseCoefficient);
    for (std::size_t k = 0; k < 5; ++k) f(r.upperPart[k]), f(r.lowerPart[k]), i(r.fullDepthCourseMaterial[k]);
    for (std::size_t k = 0; k < 5; ++k) f(r.fullDepthThickness[k]);
    for (std::size_t k = 0; k < 3; ++k) i(r.overlayCourseMaterial[k]), f(r.overlayThickness[k]);
    for (std::size_t k = 0; k < 3; ++k) i(r.existingCourseMaterial[k]), f(r.existingThickness[k]);
    return out.str();
}

// What a screen shows: its texts, and its choices but the scroll bars (which
// an opened design puts where the thickness is).
std::map<int, std::string> Shown(Harness& h, ScreenId id) {
    std::map<int, std::string> shown;
    if (!h.windows.Exists(id)) return shown;
    const FakeView& view = h.View(id);
    std::set<int> bars;
    if (id == ScreenId::FullDepthEntry || id == ScreenId::OverlayEntry) {
        const auto& s = h.Logic<StructureEntryScreen>(id);
        for (int r = 0; r < s.rows(); ++r) bars.insert(s.Scroll(r));
    }
    for (const auto& [control, text] : view.texts) {
        if (!text.empty()) shown[control] = text;
    }
    for (const auto& [control, choice] : view.choices) {
        if (choice >= 0 && !bars.count(control)) shown[control] += "#" + std::to_string(choice);
    }
    return shown;
}

std::vector<std::string> FormLines(Harness& h) {
    if (!h.program.accepted()) return {};
    const bool overlay = *h.program.accepted() == ScreenId::OverlayResult;
    CharGridPage page;
    const ResultSheet sheet = h.Logic<ResultScreen>(*h.program.accepted()).Displayed();
    if (overlay) {
        PrintOverlayForm(page, h.record, sheet, "Courier", 12.0);
    } else {
        PrintFullDepthForm(page, h.record, sheet, "Courier", 12.0);
    }
    return page.Lines();
}

// A design reached by typing, as a designer varies it: traffic, design data
// typed or taken from the worksheets, any office, and full-depth and overlay
// structures of every kind of course, laid by spread rate, split or not,
// each evaluated and accepted.
void TypeRandomDesign(FileRun& h, std::mt19937& rng) {
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    auto inches = [&](int quarters) { return FormatNumber(quarters / 4.0, "#0.00"); };
    h.StartToProject();
    const int year = pick(1980, 2040);
    const int aadt = pick(100, 40000);
    const std::vector<std::string> project = {"STP-" + std::to_string(pick(1, 9999)) + "(0" + std::to_string(pick(10, 99)) + ")",
                                              std::to_string(pick(1000000, 9999999)), "ALLENBY \xc3\x89", "Widening",
                                              std::to_string(year), std::to_string(aadt),
                                              std::to_string(year + pick(1, 30)), std::to_string(aadt + pick(0, aadt)),
                                              std::to_string(pick(1, 40)) + ".5"};
    for (int f = 0; f < 9; ++f) h.SetText(ScreenId::ProjectInformation, f, project[f]);
    h.Click(ScreenId::ProjectInformation, P::kContinue);

    const ScreenId dd = ScreenId::DesignData;
    h.SetText(dd, D::kTerminalServiceability, pick(0, 1) ? "2.5" : "3.0");
    if (pick(0, 1)) {
        h.Click(dd, D::kLdfLink);
        h.EnterText(ScreenId::LdfWorksheet, LdfWorksheet::kEntry, std::to_string(pick(50, 100)));
    } else {
        h.SetText(dd, D::kLdf, "100");
    }
    if (pick(0, 1)) {
        h.Click(dd, D::kCountyLink);
        h.Choose(ScreenId::CountyWorksheet, CountyWorksheet::kList, pick(0, 3));
        h.Click(ScreenId::CountyWorksheet, CountyWorksheet::kAccept);
    } else {
        h.SetText(dd, D::kSoilSupport, std::to_string(pick(2, 8)));
        h.SetText(dd, D::kRegionalFactor, "1." + std::to_string(pick(0, 9)));
    }
    if (pick(0, 1)) {
        h.Click(dd, D::kEsalLink);
        h.EnterText(ScreenId::EsalWorksheet, EsalWorksheet::kEntry, "1." + std::to_string(pick(0, 4)));
    } else {
        h.SetText(dd, D::kRepresentativeEsal, "0.9");
    }
    h.Click(dd, D::kContinue);
    h.SetText(ScreenId::DesignerInformation, G::kDesignerName, "A. Designer");
    h.SetText(ScreenId::DesignerInformation, G::kComments, "Typed " + std::to_string(pick(0, 99)));
    h.ClickOption(ScreenId::DesignerInformation, G::kOffice, pick(0, 4));
    h.Click(ScreenId::DesignerInformation, G::kContinue);
    ASSERT_TRUE(h.windows.Visible(ScreenId::MainMenu)) << h.desktop.Texts().size();

    // One structure or both, in either order; the last accepted is printed.
    std::vector<int> kinds = {M::kFullDepth, M::kOverlay};
    std::shuffle(kinds.begin(), kinds.end(), rng);
    kinds.resize(static_cast<std::size_t>(pick(1, 2)));
    for (int kind : kinds) {
        const bool overlay = kind == M::kOverlay;
        const ScreenId entry = overlay ? ScreenId::OverlayEntry : ScreenId::FullDepthEntry;
        h.ClickOption(ScreenId::MainMenu, M::kOptions, kind);
        h.Click(ScreenId::MainMenu, M::kContinue);
        const auto& s = h.Logic<StructureEntryScreen>(entry);
        auto course = [&](int row, int position, int quarters) {
            h.Choose(entry, s.List(row), position);
            if (pick(0, 1)) {
                h.Choose(entry, s.Scroll(row), std::min(quarters, s.row(row).scrollMaximum));
            } else {
                h.SetText(entry, s.Thickness(row), inches(quarters));
            }
        };
        course(0, pick(0, 4), pick(1, 24));  // OGFC and PEM take "0"
        const int lower = overlay ? pick(0, 2) : pick(0, 4);
        for (int row = 1; row <= lower; ++row) course(row, pick(0, overlay ? 6 : 8), pick(1, overlay ? 24 : 40));
        if (overlay) {
            const int existing = pick(1, 3);
            for (int row = 3; row < 3 + existing; ++row) course(row, pick(0, 5), pick(1, 64));
        }
        if (pick(0, 1)) {  // kept as an alternative, under a name with letters beyond ASCII
            h.desktop.texts = {"Alternative é " + std::to_string(pick(1, 99))};
            h.Click(entry, s.KeepButton());
        }
        h.Click(entry, s.ContinueButton());
        ASSERT_TRUE(h.desktop.messages.empty()) << h.desktop.Texts().front();
        const ScreenId result = overlay ? ScreenId::OverlayResult : ScreenId::FullDepthResult;
        h.Click(result, h.Logic<ResultScreen>(result).AcceptButton());
        if (pick(0, 1)) h.Click(overlay ? ScreenId::OverlayPrint : ScreenId::FullDepthPrint, PrintScreen::kMainMenu);
    }
}

TEST(DesignFiles, ADesignTypedSavedAndOpenedAgainIsTheSameDesign) {
    std::mt19937 rng(20261209);
    for (int design = 0; design < 60; ++design) {
        SCOPED_TRACE("design " + std::to_string(design));
        FileRun typed;
        TypeRandomDesign(typed, rng);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_TRUE(typed.program.document().Save(false));
        EXPECT_FALSE(typed.program.document().Modified());

        FileRun opened;
        ASSERT_TRUE(opened.OpenFrom(typed.store, "design.korvelle")) << opened.desktop.Texts().front();
        EXPECT_TRUE(opened.desktop.messages.empty());  // no results changed
        EXPECT_TRUE(opened.windows.Visible(ScreenId::MainMenu));
        EXPECT_EQ(opened.windows.visible.size(), 1u);
        EXPECT_EQ(RecordBits(opened.record), RecordBits(typed.record));
        for (int i = 0; i < kScreenCount; ++i) {
            const auto id = static_cast<ScreenId>(i);
            // (The ESAL worksheet is filled anew whenever it is opened.)
            if (id == ScreenId::Startup || id == ScreenId::Information || id == ScreenId::EsalWorksheet) continue;
            EXPECT_EQ(Shown(opened, id), Shown(typed, id)) << Name(id);
        }
        EXPECT_EQ(opened.program.accepted(), typed.program.accepted());
        EXPECT_EQ(opened.program.alternatives(), typed.program.alternatives());
        EXPECT_EQ(FormLines(opened), FormLines(typed));
        EXPECT_FALSE(opened.program.document().Modified());
        // Saved again unchanged, the file is the same text.
        ASSERT_TRUE(opened.program.document().Save(false));
        EXPECT_EQ(opened.store.files["design.korvelle"], typed.store.files["design.korvelle"]);
    }
}

TEST(DesignFiles, AFileThatCannotBeUsedIsRefusedNamingWhyAndChangesNothing) {
    FileRun typed;
    std::mt19937 rng(7);
    TypeRandomDesign(typed, rng);
    ASSERT_TRUE(typed.program.document().Save(false));
    const std::string good = typed.store.files["design.korvelle"];
    auto edited = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        return text;
    };
    // The file in format 2 with alternatives named `first` (and `second`),
    // each a full-depth structure of one course `thickness` thick.
    auto alternatives = [&](const std::string& first, const std::string& thickness, const std::string& second = "") {
        std::string courses = R"("courses": [{"material": "12.5 mm Superpave", "position": 2, "thickness": )" + thickness + "}";
        for (int row = 1; row < 5; ++row) courses += R"(, {"material": null, "position": -1, "thickness": ""})";
        courses += "]";
        std::string list = R"({"name": )" + first + R"(, "structure": "full-depth", )" + courses + "}";
        if (!second.empty()) list += R"(, {"name": )" + second + R"(, "structure": "full-depth", )" + courses + "}";
        return edited(R"("version": 1,)", R"("version": 2, "alternatives": [)" + list + "],");
    };
    struct Case {
        std::string text;
        std::string message;
    };
    const std::string project = typed.Text(ScreenId::ProjectInformation, P::kTruckPercent);
    const std::vector<Case> cases = {
        {edited("\"truckPercent\": \"" + project + "\"", "\"truckPercent\": \"150\""),
         "Project information, 24-HOUR TRUCK %: Data is outside normal range"},
        {edited("\"truckPercent\": \"" + project + "\"", "\"truckPercent\": \"\""),
         "Project information, 24-HOUR TRUCK %: All required data must be entered before continuing"},
        {edited("\"truckPercent\": \"" + project + "\"", "\"truckPercent\": \"ten\""),
         "Project information, 24-HOUR TRUCK %: " + std::string(kNumberNeededMessage)},
        {edited("\"piNumber\": \"", "\"piNumber\": \"12345678"), "Project information, P.I. NO.: holds at most 7 characters"},
        {edited("\"terminalServiceability\": \"", "\"terminalServiceability\": \"9"),
         "Design data, TERMINAL SERVICEABILITY INDEX: " + std::string(kServiceabilityMessage)},
        {edited("\"format\": \"korvelle-design\"", "\"format\": \"spreadsheet\""), ""},
        // Alternatives are held to the rules of the names and courses KEEP
        // AS ALTERNATIVE keeps.
        {alternatives("\"\"", "\"1.50\""), "Proposed pavement structure, ALTERNATIVE 1 NAME: must be entered"},
        {alternatives("\"" + std::string(41, 'x') + "\"", "\"1.50\""),
         "Proposed pavement structure, ALTERNATIVE 1 NAME: holds at most 40 characters"},
        {alternatives("\"A\\tB\"", "\"1.50\""),
         "Proposed pavement structure, ALTERNATIVE 1 NAME: " + std::string(kControlCharacterMessage)},
        {alternatives("\"A\"", "\"1.50\"", "\"A\""),
         "Proposed pavement structure, ALTERNATIVE 2 NAME: \"A\" names an earlier alternative"},
        {alternatives("\"A\"", "\"1\\u0007\""),
         "Proposed pavement structure, alternative A, COURSE 1 THICKNESS (INCHES): " + std::string(kControlCharacterMessage)},
        {"{ \"format\": ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        FileRun h;
        h.StartToMainMenu();
        const DesignFile before = CaptureDesign(h.program);
        const std::string recordBefore = RecordBits(h.record);
        h.store.files["bad.korvelle"] = c.text;
        h.desktop.Clear();
        EXPECT_FALSE(h.program.document().OpenFile("bad.korvelle"));
        ASSERT_EQ(h.desktop.messages.size(), 1u);
        EXPECT_EQ(h.desktop.messages[0].text.rfind("Cannot open bad.korvelle: ", 0), 0u) << h.desktop.messages[0].text;
        if (!c.message.empty()) {
            EXPECT_EQ(h.desktop.messages[0].text, "Cannot open bad.korvelle: " + c.message);
        }
        EXPECT_EQ(CaptureDesign(h.program), before);
        EXPECT_EQ(RecordBits(h.record), recordBefore);
        EXPECT_EQ(h.program.document().path(), "");
        EXPECT_TRUE(h.windows.Visible(ScreenId::MainMenu));
    }
}

TEST(DesignFiles, ResultsThatComputeDifferentlyNowAreShownOnceAndTheNewOnesStand) {
    FileRun typed;
    std::mt19937 rng(11);
    TypeRandomDesign(typed, rng);
    ASSERT_TRUE(typed.program.document().Save(false));
    DesignFile file = std::get<DesignFile>(ReadDesignFileText(typed.store.files["design.korvelle"]));
    ASSERT_TRUE(file.accepted);
    const std::string now = file.accepted->sheet.requiredSn;
    file.accepted->sheet.requiredSn = "9.99";
    file.accepted->designLoading = "1";
    file.program = "Korvelle 0.9";
    FileRun opened;
    opened.store.files["old.korvelle"] = DesignFileText(file);
    opened.program.Start();
    ASSERT_TRUE(opened.program.document().OpenFile("old.korvelle"));
    ASSERT_EQ(opened.desktop.messages.size(), 1u);
    const std::string& text = opened.desktop.messages[0].text;
    EXPECT_EQ(opened.desktop.messages[0].title, kResultsChangedTitle);
    EXPECT_NE(text.find("saved by Korvelle 0.9."), std::string::npos) << text;
    EXPECT_NE(text.find("\nRequired SN: saved 9.99, now " + now), std::string::npos) << text;
    EXPECT_NE(text.find("\nDesign loading: saved 1, now " +
                        FormatNumber(typed.record.designLoading, "###,###,###")),
              std::string::npos)
        << text;
    const ScreenId result = *opened.program.accepted();
    EXPECT_EQ(opened.Logic<ResultScreen>(result).Displayed().requiredSn, now);
}

TEST(DesignFiles, SaveWritesIntoTheDesignsFileAndSaveAsAlwaysAsksWhere) {
    FileRun h;
    h.StartToMainMenu();
    EXPECT_EQ(h.program.document().Status(), "Design file: not saved yet (entries not saved)");
    h.store.saveAs = "first.korvelle";
    h.Click(ScreenId::MainMenu, M::kSave);
    EXPECT_EQ(h.store.offered, std::vector<std::string>{"NH-IM-85-1(123).korvelle"});
    EXPECT_EQ(h.Text(ScreenId::MainMenu, M::kFileStatus), "Design file: first.korvelle");
    h.Click(ScreenId::MainMenu, M::kSave);  // into its file, without a dialog
    EXPECT_EQ(h.store.offered.size(), 1u);
    h.store.saveAs = "second.korvelle";
    h.Click(ScreenId::MainMenu, M::kSaveAs);
    EXPECT_EQ(h.store.offered.size(), 2u);
    EXPECT_EQ(h.program.document().path(), "second.korvelle");
    EXPECT_EQ(h.store.files.size(), 2u);
    h.store.saveAs.reset();  // the dialog cancelled: nothing written
    h.Click(ScreenId::MainMenu, M::kSaveAs);
    EXPECT_EQ(h.program.document().path(), "second.korvelle");

    // A failed write keeps the file as it was and says so, naming it.
    h.program.Move(ScreenId::MainMenu, ScreenId::ProjectInformation);
    h.SetText(ScreenId::ProjectInformation, P::kCounty, "WORTH");
    const std::string kept = h.store.files["second.korvelle"];
    h.store.failure = "writing the file failed: No space left on device";
    EXPECT_FALSE(h.program.document().Save(false));
    EXPECT_EQ(h.store.files["second.korvelle"], kept);
    ASSERT_EQ(h.desktop.messages.size(), 1u);
    EXPECT_EQ(h.desktop.messages[0].text.rfind("Not saved: writing the file failed: No space left on device\n\nsecond.korvelle", 0), 0u);
    EXPECT_TRUE(h.program.document().Modified());
}

TEST(DesignFiles, QuitAndOpenAskToSaveChangesAndGoOnOnlyWhenSavedOrDiscarded) {
    struct Case {
        Answer answer;
        bool saveDialogCancelled;
        bool quits;
    };
    for (const Case& c : {Case{Answer::Cancel, false, false}, Case{Answer::Discard, false, true},
                          Case{Answer::Save, false, true}, Case{Answer::Save, true, false}}) {
        FileRun h;
        h.StartToMainMenu();
        if (c.saveDialogCancelled) h.store.saveAs.reset();
        h.desktop.answers = {c.answer};
        h.Logic(ScreenId::MainMenu).CloseBox();
        ASSERT_EQ(h.desktop.questions.size(), 1u);
        EXPECT_EQ(h.desktop.questions[0].text, "Save changes to the design NH-IM-85-1(123) before quitting?");
        EXPECT_EQ(h.desktop.quits, c.quits ? 1 : 0);
        EXPECT_EQ(h.store.files.size(), c.answer == Answer::Save && !c.saveDialogCancelled ? 1u : 0u);
    }
    // Saved and unchanged: no question at all.
    FileRun h;
    h.StartToMainMenu();
    h.Click(ScreenId::MainMenu, M::kSave);
    h.store.openPath = "design.korvelle";
    h.Click(ScreenId::MainMenu, M::kOpen);
    h.Logic(ScreenId::MainMenu).CloseBox();
    EXPECT_TRUE(h.desktop.questions.empty());
    EXPECT_EQ(h.desktop.quits, 1);
}

TEST(DesignFiles, ADesignSavedHalfWayOpensOnTheScreenItWasSavedFrom) {
    FileRun h;
    h.StartToDesignData();
    h.SetText(ScreenId::DesignData, D::kSoilSupport, "not yet");
    h.desktop.answers = {Answer::Save};
    h.Logic(ScreenId::DesignData).CloseBox();
    ASSERT_EQ(h.desktop.quits, 1);

    FileRun opened;
    ASSERT_TRUE(opened.OpenFrom(h.store, "design.korvelle"));
    EXPECT_TRUE(opened.windows.Visible(ScreenId::DesignData));
    EXPECT_EQ(opened.Text(ScreenId::DesignData, D::kSoilSupport), "not yet");
    EXPECT_EQ(opened.record.truckPercent, 10.0f);  // the project screen was confirmed again
    EXPECT_EQ(opened.record.requiredSn, 0.0f);     // and nothing after it
    opened.SetText(ScreenId::DesignData, D::kSoilSupport, "4.0");
    opened.Click(ScreenId::DesignData, D::kContinue);
    EXPECT_TRUE(opened.windows.Visible(ScreenId::DesignerInformation));
}

}  // namespace
}  // namespace korvelle

namespace korvelle {
namespace {

std::string ExampleText(const char* name) {
    std::ifstream in(std::string(KORVELLE_SOURCE_DIR) + "/data/examples/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text with each `from` replaced by its `to`.
std::string Edited(std::string text, const std::vector<std::pair<std::string, std::string>>& edits) {
    for (const auto& [from, to] : edits) {
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    return text;
}

// The full-depth example opened, as the designer opens it.
struct ExampleRun : FileRun {
    explicit ExampleRun(const std::string& text = ExampleText("full-depth.korvelle")) {
        store.files["ex.korvelle"] = text;
        program.Start();
        opened = program.document().OpenFile("ex.korvelle");
    }
    DesignFile Saved() { return std::get<DesignFile>(ReadDesignFileText(store.files["ex.korvelle"])); }
    bool opened = false;
};

TEST(DesignFiles, AFileBringsInNothingThatTypingCannot) {
    // Each file text refused, and the refusal names the field as its screen
    // would: the empty field CONTINUE finds first, a control character no key
    // types, a thickness that shows as 0.00 in.
    struct Case {
        std::vector<std::pair<std::string, std::string>> edits;
        std::string message;
    };
    const std::string required = "All required data must be entered before continuing";
    const std::vector<Case> cases = {
        {{{"\"initialYear\": \"2000\"", "\"initialYear\": \"x\""}, {"\"truckPercent\": \"10\"", "\"truckPercent\": \"\""}},
         "Project information, 24-HOUR TRUCK %: " + required},
        {{{"\"description\": \"", "\"description\": \"\\u001b]0;pwned\\u0007"}},
         "Project information, DESCRIPTION (65 CHAR. MAX.): " + std::string(kControlCharacterMessage)},
        {{{"\"comments\": \"", "\"comments\": \"two\\nlines "}},
         "Designer information, COMMENTS: " + std::string(kControlCharacterMessage)},
        {{{"\"ldfEntry\": \"100\"", "\"ldfEntry\": \"1\\u00850\""}},
         "LDF worksheet, ENTER VALUE FOR LDF: " + std::string(kControlCharacterMessage)},
        {{{"\"soilSupport\": \"\"", "\"soilSupport\": \"\\t\""}},
         "County worksheet, Soil Support: " + std::string(kControlCharacterMessage)},
        {{{"\"thickness\": \"8\"", "\"thickness\": \"8\\r\""}},
         "Proposed pavement structure, COURSE 4 THICKNESS (INCHES): " + std::string(kControlCharacterMessage)},
        {{{"\"thickness\": \"8\"", "\"thickness\": \"0.004\""}},
         "Proposed pavement structure: " + std::string(kThicknessMessage)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ExampleRun h(Edited(ExampleText("full-depth.korvelle"), c.edits));
        EXPECT_FALSE(h.opened);
        ASSERT_EQ(h.desktop.messages.size(), 1u);
        EXPECT_EQ(h.desktop.messages[0].text, "Cannot open ex.korvelle: " + c.message);
        EXPECT_EQ(h.program.document().path(), "");
    }
}

TEST(DesignFiles, AnAcceptanceBecomesStaleWhenAnEntryItWasComputedFromChanges) {
    ExampleRun h;
    ASSERT_TRUE(h.opened);
    auto acceptedLine = [&] { return h.Text(ScreenId::MainMenu, M::kAcceptance); };
    EXPECT_EQ(acceptedLine(), "Accepted: full-depth structure, proposed SN 3.86 against 3.44 required, 12.2% Overdesign");

    // EDIT DESIGN/DESIGNER DATA: the description is no entry the result
    // depends on; the initial traffic is.
    h.ClickOption(ScreenId::MainMenu, M::kOptions, M::kEditData);
    h.Click(ScreenId::MainMenu, M::kContinue);
    h.SetText(ScreenId::ProjectInformation, P::kDescription, "Widening, revised");
    EXPECT_TRUE(h.program.AcceptanceCurrent());
    h.SetText(ScreenId::ProjectInformation, P::kInitialTraffic, "3000");
    EXPECT_FALSE(h.program.AcceptanceCurrent());
    h.Click(ScreenId::ProjectInformation, P::kContinue);
    h.Click(ScreenId::DesignData, D::kContinue);
    h.Click(ScreenId::DesignerInformation, G::kContinue);
    ASSERT_TRUE(h.windows.Visible(ScreenId::MainMenu)) << h.desktop.Texts().size();
    EXPECT_EQ(acceptedLine(), std::string(kStaleAcceptanceMessage));

    // Saved, the acceptance is kept as computed, design loading included,
    // and says it is stale; opened again, it says so once.
    h.Click(ScreenId::MainMenu, M::kSave);
    const DesignFile saved = h.Saved();
    ASSERT_TRUE(saved.accepted);
    EXPECT_FALSE(saved.accepted->current);
    EXPECT_EQ(saved.accepted->designLoading, "1,000,100");
    EXPECT_EQ(saved.accepted->sheet.requiredSn, "3.44");
    FileRun opened;
    ASSERT_TRUE(opened.OpenFrom(h.store, "ex.korvelle"));
    ASSERT_EQ(opened.desktop.messages.size(), 1u);
    EXPECT_EQ(opened.desktop.messages[0].title, kStaleTitle);
    EXPECT_EQ(opened.desktop.messages[0].text, kStaleAcceptanceMessage);
    EXPECT_EQ(opened.Text(ScreenId::MainMenu, M::kAcceptance), std::string(kStaleAcceptanceMessage));
    EXPECT_FALSE(opened.program.document().Modified());

    // A fresh ACCEPT makes it current again; the traffic changed back would too.
    opened.ClickOption(ScreenId::MainMenu, M::kOptions, M::kFullDepth);
    opened.Click(ScreenId::MainMenu, M::kContinue);
    const auto& entry = opened.Logic<StructureEntryScreen>(ScreenId::FullDepthEntry);
    opened.Click(ScreenId::FullDepthEntry, entry.ContinueButton());
    opened.Click(ScreenId::FullDepthResult, opened.Logic<ResultScreen>(ScreenId::FullDepthResult).AcceptButton());
    EXPECT_TRUE(opened.program.AcceptanceCurrent());
    EXPECT_TRUE(opened.program.document().Modified());  // the fresh acceptance is not saved yet
    opened.Click(ScreenId::FullDepthPrint, PrintScreen::kSave);
    const DesignFile fresh = std::get<DesignFile>(ReadDesignFileText(opened.store.files["ex.korvelle"]));
    EXPECT_TRUE(fresh.accepted->current);
    EXPECT_NE(fresh.accepted->designLoading, "1,000,100");  // 3000 vehicles a day carry more loads
}

TEST(DesignFiles, SavingHalfWayKeepsTheAcceptanceWhateverTheStage) {
    // Retyping the description, or fitting a course, then QUIT and Save.
    struct Case {
        const char* what;
        std::function<void(ExampleRun&)> change;
        DesignStage stage;
        bool current;
    };
    const std::vector<Case> cases = {
        {"description", [](ExampleRun& h) {
             h.ClickOption(ScreenId::MainMenu, M::kOptions, M::kEditData);
             h.Click(ScreenId::MainMenu, M::kContinue);
             h.SetText(ScreenId::ProjectInformation, P::kDescription, "Retyped");
         }, DesignStage::ProjectInformation, true},
        {"FIT", [](ExampleRun& h) {
             h.ClickOption(ScreenId::MainMenu, M::kOptions, M::kFullDepth);
             h.Click(ScreenId::MainMenu, M::kContinue);
             h.Click(ScreenId::FullDepthEntry, h.Logic<StructureEntryScreen>(ScreenId::FullDepthEntry).FitButton(3));
         }, DesignStage::FullDepthEntry, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExampleRun h;
        ASSERT_TRUE(h.opened);
        c.change(h);
        h.desktop.answers = {Answer::Save};
        h.program.Quit();
        ASSERT_EQ(h.desktop.quits, 1);
        const DesignFile saved = h.Saved();
        EXPECT_EQ(saved.stage, c.stage);
        ASSERT_TRUE(saved.accepted);
        EXPECT_EQ(saved.accepted->current, c.current);
        EXPECT_EQ(saved.accepted->sheet.proposedSn, "3.86");

        FileRun opened;
        ASSERT_TRUE(opened.OpenFrom(h.store, "ex.korvelle")) << opened.desktop.Texts().front();
        EXPECT_TRUE(opened.windows.Visible(StageScreen(c.stage)));
        ASSERT_TRUE(opened.program.acceptance());
        EXPECT_EQ(opened.program.AcceptanceCurrent(), c.current);
        EXPECT_EQ(opened.program.acceptance()->result, *saved.accepted);
    }
    // A stage that contradicts the acceptance opens on the stage's screen,
    // the acceptance kept.
    ExampleRun contradicting(Edited(ExampleText("full-depth.korvelle"), {{"\"stage\": \"main-menu\"", "\"stage\": \"overlay\""}}));
    ASSERT_TRUE(contradicting.opened) << contradicting.desktop.Texts().front();
    EXPECT_TRUE(contradicting.windows.Visible(ScreenId::OverlayEntry));
    EXPECT_TRUE(contradicting.program.AcceptanceCurrent());
}

TEST(DesignFiles, AColleaguesChangeIsNeverSilentlyOverwritten) {
    struct Case {
        Answer answer;
        bool written;          // over the changed file
        bool dialog;           // Save As... asked where
    };
    for (const Case& c : {Case{Answer::Cancel, false, false}, Case{Answer::Overwrite, true, false},
                          Case{Answer::SaveAs, false, true}}) {
        ExampleRun h;
        ASSERT_TRUE(h.opened);
        h.ClickOption(ScreenId::MainMenu, M::kOptions, M::kEditData);
        h.Click(ScreenId::MainMenu, M::kContinue);
        h.SetText(ScreenId::ProjectInformation, P::kPiNumber, "0099");
        const std::string colleague = Edited(h.store.files["ex.korvelle"], {{"A. Designer", "C. Colleague"}});
        h.store.files["ex.korvelle"] = colleague;
        h.store.saveAs = "mine.korvelle";
        h.desktop.answers = {c.answer};
        h.program.document().Save(false);
        ASSERT_EQ(h.desktop.questions.size(), 1u);
        EXPECT_EQ(h.desktop.questions[0].text, "ex.korvelle was changed by another program since you opened it.");
        EXPECT_EQ(h.desktop.questions[0].title, kChangedOnDiskTitle);
        EXPECT_EQ(h.store.files["ex.korvelle"] != colleague, c.written);
        EXPECT_EQ(h.store.offered.size(), c.dialog ? 1u : 0u);
        EXPECT_EQ(h.store.files.count("mine.korvelle"), c.dialog ? 1u : 0u);
    }
    // Unchanged on the disk: no question.
    ExampleRun h;
    h.program.document().Save(false);
    EXPECT_TRUE(h.desktop.questions.empty());
}

TEST(DesignFiles, ADesignOpenInAnotherKorvelleOpensReadOnlyOrNotAtAll) {
    for (Answer answer : {Answer::Cancel, Answer::ReadOnly}) {
        FileRun h;
        h.StartToMainMenu();
        h.store.files["ex.korvelle"] = ExampleText("full-depth.korvelle");
        h.store.elsewhere["ex.korvelle"] = LockHolder{"drafting-7", 4242};
        const DesignFile before = CaptureDesign(h.program);
        h.desktop.Clear();
        h.desktop.answers = {answer};
        const bool opened = h.program.document().OpenFile("ex.korvelle");
        ASSERT_EQ(h.desktop.questions.size(), 1u);
        EXPECT_EQ(h.desktop.questions[0].text.rfind("ex.korvelle is open in Korvelle on host drafting-7, process 4242.", 0), 0u)
            << h.desktop.questions[0].text;
        EXPECT_EQ(opened, answer == Answer::ReadOnly);
        if (!opened) {
            EXPECT_EQ(CaptureDesign(h.program), before);
            continue;
        }
        EXPECT_TRUE(h.program.document().readOnly());
        EXPECT_EQ(h.Text(ScreenId::MainMenu, M::kFileStatus),
                  "Design file: ex.korvelle (read-only: open in Korvelle on host drafting-7, process 4242)");
        // SAVE DESIGN asks for another file and leaves the other's untouched.
        const std::string theirs = h.store.files["ex.korvelle"];
        h.store.saveAs = "copy.korvelle";
        EXPECT_TRUE(h.program.document().Save(false));
        EXPECT_EQ(h.store.files["ex.korvelle"], theirs);
        EXPECT_EQ(h.program.document().path(), "copy.korvelle");
        EXPECT_EQ(h.store.locked, "copy.korvelle");
        EXPECT_FALSE(h.program.document().readOnly());
        // Saved as a file the other has open: refused.
        h.store.saveAs = "ex.korvelle";
        EXPECT_FALSE(h.program.document().Save(true));
        EXPECT_EQ(h.store.files["ex.korvelle"], theirs);
    }
}

TEST(DesignFiles, UnsavedChangesAreKeptInARecoveryCopyUntilSavedOrDiscarded) {
    FileRun h;
    h.StartToProject();
    auto tick = [&] { h.program.document().KeepRecoveryCopy(); };
    tick();
    EXPECT_FALSE(h.store.recovery);  // nothing entered: nothing to keep
    h.SetText(ScreenId::ProjectInformation, P::kProjectNumber, "STP-9");
    tick();
    EXPECT_FALSE(h.store.recovery);  // still typing
    tick();
    ASSERT_TRUE(h.store.recovery);  // a tick without a change: written
    tick();
    EXPECT_EQ(h.store.recoveryWrites, 1);  // and not again while nothing changes
    const auto copy = std::get<RecoveryCopy>(ReadRecoveryCopyText(*h.store.recovery));
    EXPECT_EQ(copy.design.project[P::kProjectNumber], "STP-9");
    EXPECT_EQ(copy.design.stage, DesignStage::ProjectInformation);
    EXPECT_EQ(copy.file, "");
    h.program.document().Save(false);
    EXPECT_FALSE(h.store.recovery);  // saved: no copy

    // Changed again and ended by a signal: written at once, and kept.
    h.SetText(ScreenId::ProjectInformation, P::kPiNumber, "77");
    h.program.document().SaveRecoveryCopyNow();
    ASSERT_TRUE(h.store.recovery);
    EXPECT_EQ(std::get<RecoveryCopy>(ReadRecoveryCopyText(*h.store.recovery)).file, "design.korvelle");
    // QUIT and Discard: gone.
    h.desktop.answers = {Answer::Discard};
    h.program.Quit();
    EXPECT_FALSE(h.store.recovery);
}

TEST(DesignFiles, CopiesLeftByRunsThatEndedAreOfferedEachInTurn) {
    // Two runs ended before saving: one design with a file, one without.
    FileRun first;
    first.StartToMainMenu();
    first.program.document().Save(false);
    first.SetText(ScreenId::ProjectInformation, P::kCounty, "WORTH");
    first.program.document().SaveRecoveryCopyNow();
    FileRun second;
    second.StartToProject();
    second.SetText(ScreenId::ProjectInformation, P::kProjectNumber, "NEW-1");
    second.program.document().SaveRecoveryCopyNow();

    FileRun h;
    h.store.files = first.store.files;
    h.store.left = {{"1-1", *first.store.recovery}, {"2-2", *second.store.recovery}};
    h.program.Start();
    // Recover the first; the second then asks about the first's changes
    // (Discard) before it is recovered.
    h.desktop.answers = {Answer::Recover, Answer::Recover, Answer::Discard};
    h.program.document().OfferRecoveries();
    ASSERT_EQ(h.desktop.questions.size(), 3u);
    EXPECT_EQ(h.desktop.questions[0].text,
              "Korvelle was closed before design.korvelle was saved (last change shown 2026-12-09T10:15:00Z). Recover it?");
    EXPECT_EQ(h.desktop.questions[1].text,
              "Korvelle was closed before NEW-1 was saved (last change shown 2026-12-09T10:15:00Z). Recover it?");
    EXPECT_TRUE(h.store.left.empty());
    EXPECT_EQ(h.Text(ScreenId::ProjectInformation, P::kProjectNumber), "NEW-1");
    EXPECT_TRUE(h.program.document().Modified());
    EXPECT_TRUE(h.store.recovery);  // this run keeps the recovered changes now

    // Later leaves a copy for the next start; Discard deletes it.
    FileRun later;
    later.store.left = {{"3-3", *second.store.recovery}, {"4-4", *second.store.recovery}};
    later.program.Start();
    later.desktop.answers = {Answer::Cancel, Answer::Discard};
    later.program.document().OfferRecoveries();
    EXPECT_EQ(later.store.keptForLater, std::vector<std::string>{"3-3"});
    EXPECT_EQ(later.store.left.count("4-4"), 0u);
    EXPECT_TRUE(later.windows.Visible(ScreenId::Startup));
    // The first recovered design's original file was left as it was.
    EXPECT_EQ(h.store.files, first.store.files);
}

}  // namespace
}  // namespace korvelle
