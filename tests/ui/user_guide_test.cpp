// The designer's guide (docs/user-guide.md) against the program: every
// message it lists is one the program shows, every message of the program
// is listed, and every picture comes from an end-to-end session.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "example_run.h"
#include "fakes.h"
#include "ui/alternatives.h"
#include "file/recovery_copy.h"
#include "ui/county_table.h"
#include "ui/design_capture.h"
#include "ui/design_document.h"
#include "ui/fit.h"
#include "ui/least_cost_screen.h"
#include "ui/unit_cost_file.h"
#include "ui/help_topics.h"
#include "ui/sensitivity.h"

namespace korvelle {
namespace {

std::string ReadSource(const std::string& path) {
    std::ifstream in(std::string(KORVELLE_SOURCE_DIR) + "/" + path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Blanks and line breaks taken as one blank, the ends trimmed.
std::string Squeezed(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t';
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out += blank ? ' ' : c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// The messages the guide lists: the first cell of each row of the tables
// under "## Messages", written between backticks; "…" stands for a part
// that names a field, course, value or file.
std::vector<std::string> GuideMessages() {
    const std::string guide = ReadSource("docs/user-guide.md");
    const auto from = guide.find("\n## Messages\n");
    const auto to = guide.find("\n## ", from + 1);
    std::istringstream section(guide.substr(from, to - from));
    std::vector<std::string> messages;
    for (std::string line; std::getline(section, line);) {
        if (line.rfind("| `", 0) != 0) continue;
        messages.push_back(line.substr(3, line.find('`', 3) - 3));
    }
    return messages;
}

bool Matches(const std::string& pattern, const std::string& message) {
    std::string expression;
    const std::string ellipsis = "\xE2\x80\xA6";
    const std::string squeezed = Squeezed(pattern);
    for (std::size_t i = 0; i < squeezed.size(); ++i) {
        if (squeezed.compare(i, ellipsis.size(), ellipsis) == 0) {
            expression += ".+";
            i += ellipsis.size() - 1;
        } else if (std::string("\\^$.|?*+()[]{}").find(squeezed[i]) != std::string::npos) {
            expression += std::string("\\") + squeezed[i];
        } else {
            expression += squeezed[i];
        }
    }
    return std::regex_match(Squeezed(message), std::regex(expression));
}

// A design of one 6-inch course of 12.5 mm SMA, accepted: on the print screen.
void ToPrintScreen(Harness& h) {
    h.StartToMainMenu();
    h.AcceptOneSmaCourse();
}

// Every message a designer can meet, as the program words it: its message
// constants, and what the screens show when driven into each case.
std::vector<std::string> ProgramMessages() {
    std::vector<std::string> messages;
    for (std::string_view constant :
         {kRangeMessage, kRequiredMessage, kNumberNeededMessage, kPeriodMessage, kRegionalFactorMessage,
          kServiceabilityMessage, kLoadingTooLargeMessage, kNoLoadingMessage, kNoSnMessage, kTopCourseMessage,
          kTopOverlayMessage, kTopExistingMessage, kThicknessMessage, kNotEvaluatedMessage}) {
        messages.emplace_back(constant);
    }
    for (FitRefusal refusal : {FitRefusal::NoCourse, FitRefusal::SpreadRate, FitRefusal::NotEvaluated,
                               FitRefusal::MetWithoutCourse, FitRefusal::Unreachable}) {
        messages.push_back(FitMessage(ThicknessFit{refusal, 12, 3.9f, 3.44f}, "COURSE 3"));
    }

    // A county table that cannot be read, at start-up.
    messages.push_back(
        CountyTableUnreadableMessage("line 3: 3 fields expected (name, soil support, regional factor), found 2"));
    // The unit costs and the least-cost window: a table with a bad line, a
    // material without a price, a range not in quarter inches, ranges too
    // thin, courses changed under the window, no table at all.
    messages.push_back(UnitCostTableUnusableMessage("line 4: the price must be dollars with at most two decimals"));
    {
        Harness h;
        h.StartToMainMenu();
        h.Click(ScreenId::MainMenu, MainMenu::kContinue);
        auto& entry = h.Logic<StructureEntryScreen>(ScreenId::FullDepthEntry);
        auto& window = h.Logic<LeastCostScreen>(ScreenId::LeastCost);
        h.View(ScreenId::FullDepthEntry).SetChoice(entry.List(0), 2);  // 12.5 mm Superpave
        h.View(ScreenId::FullDepthEntry).SetChoice(entry.List(1), 3);  // 19 mm Superpave
        h.Click(ScreenId::FullDepthEntry, entry.LeastCostButton());
        h.Click(ScreenId::LeastCost, LeastCostScreen::kFind);  // no table
        h.program.SetUnitCosts(*ParseUnitCostTable(std::string(kUnitCostHeader) + "\n12.5 mm Superpave,6.20,1.0,2.0\n", nullptr));
        h.Click(ScreenId::FullDepthEntry, entry.LeastCostButton());
        h.Click(ScreenId::LeastCost, LeastCostScreen::kFind);  // no price for 19 mm Superpave
        h.program.SetUnitCosts(LoadUnitCostTable("", nullptr));
        h.Click(ScreenId::FullDepthEntry, entry.LeastCostButton());
        h.SetText(ScreenId::LeastCost, LeastCostScreen::LeastOf(0), "1.1");
        h.Click(ScreenId::LeastCost, LeastCostScreen::kFind);  // not quarter inches
        h.SetText(ScreenId::LeastCost, LeastCostScreen::LeastOf(0), "1");
        h.SetText(ScreenId::LeastCost, LeastCostScreen::GreatestOf(0), "1");
        h.SetText(ScreenId::LeastCost, LeastCostScreen::GreatestOf(1), "1.5");
        h.Click(ScreenId::LeastCost, LeastCostScreen::kFind);  // 2.5 in. of asphalt cannot meet SN 3.44
        h.View(ScreenId::FullDepthEntry).SetChoice(entry.List(1), 5);  // 25 mm Superpave, under the window
        h.Click(ScreenId::LeastCost, LeastCostScreen::kFind);
        (void)window;
        for (const std::string& text : h.desktop.Texts()) messages.push_back(text);
    }
    // The design data screen's question about unusual values.
    {
        Harness h;
        h.StartToDesignData();
        h.SetText(ScreenId::DesignData, DesignDataScreen::kSoilSupport, "12");
        h.Click(ScreenId::DesignData, DesignDataScreen::kContinue);
        for (const Message& m : h.desktop.questions) messages.push_back(m.text);
    }
    // The structure entry screen's own checks.
    {
        Harness h;
        h.StartToMainMenu();
        h.Click(ScreenId::MainMenu, MainMenu::kContinue);
        auto& entry = h.Logic<StructureEntryScreen>(ScreenId::FullDepthEntry);
        h.View(ScreenId::FullDepthEntry).SetChoice(entry.List(0), 2);
        h.SetText(ScreenId::FullDepthEntry, entry.Thickness(0), "1.50");
        h.View(ScreenId::FullDepthEntry).SetChoice(entry.List(2), 0);
        h.SetText(ScreenId::FullDepthEntry, entry.Thickness(2), "2");
        h.Click(ScreenId::FullDepthEntry, entry.ContinueButton());  // COURSE 2 empty above COURSE 3
        h.View(ScreenId::FullDepthEntry).SetChoice(entry.List(2), -1);
        h.SetText(ScreenId::FullDepthEntry, entry.Thickness(0), "1,50");
        h.Click(ScreenId::FullDepthEntry, entry.ContinueButton());  // not a number of inches
        for (const std::string& text : h.desktop.Texts()) messages.push_back(text);
    }
    // The print screen's status line and its question about pages.
    {
        struct Case {
            PrintOutcome outcome;
            int pages = 1;
            bool cancelFont = false;
            std::optional<std::string> failure;
        };
        std::vector<Case> cases = {
            {{PrintOutcome::Printed, "Office LaserJet"}, 1, false, std::nullopt},
            {{PrintOutcome::Saved, "/home/a/Documents/design-form.pdf"}, 1, false, std::nullopt},
            {{PrintOutcome::Cancelled, ""}, 1, false, std::nullopt},
            {{PrintOutcome::Printed, ""}, 3, false, std::nullopt},  // pages declined
            {{PrintOutcome::Printed, ""}, 1, true, std::nullopt},   // font dialog cancelled
            {{PrintOutcome::Failed, "the printer is out of paper."}, 1, false, std::nullopt},
            {{PrintOutcome::Printed, ""}, 1, false, "the printer failed."},
            {{PrintOutcome::NotSaved, "No space left on device (design-form.pdf, the earlier file unchanged)."}, 1,
             false, std::nullopt}};
        for (const Case& c : cases) {
            Harness h;
            FakePrintService printer;
            printer.outcome = c.outcome;
            printer.pages = c.pages;
            printer.cancelFont = c.cancelFont;
            printer.failure = c.failure;
            h.Logic<PrintScreen>(ScreenId::FullDepthPrint).SetPrintService(&printer);
            ToPrintScreen(h);
            h.Click(ScreenId::FullDepthPrint, PrintScreen::kPrint);
            messages.push_back(h.Text(ScreenId::FullDepthPrint, PrintScreen::kStatus));
            for (const Message& m : h.desktop.questions) messages.push_back(m.text);
        }
        {
            Harness p;  // a preview that cannot be laid out
            FakePrintService printer;
            printer.previewRefusal = "the font size must be a positive number.";
            p.Logic<PrintScreen>(ScreenId::FullDepthPrint).SetPrintService(&printer);
            ToPrintScreen(p);
            p.Click(ScreenId::FullDepthPrint, PrintScreen::kPreview);
            messages.push_back(p.Text(ScreenId::FullDepthPrint, PrintScreen::kStatus));
        }
        Harness h;  // no printer at all
        ToPrintScreen(h);
        h.Click(ScreenId::FullDepthPrint, PrintScreen::kPrint);
        messages.push_back(h.Text(ScreenId::FullDepthPrint, PrintScreen::kStatus));
        FakeStore store;
        h.program.document().SetStore(&store);
        h.Click(ScreenId::FullDepthPrint, PrintScreen::kSave);
        messages.push_back(h.Text(ScreenId::FullDepthPrint, PrintScreen::kStatus));
    }
    // The sensitivity chart's status line after SAVE PICTURE...
    messages.push_back(PictureSavedMessage("/home/a/Documents/sensitivity-soil-support.png"));
    messages.push_back(PictureNotSavedMessage("writing the file failed", "No space left on device",
                                              "/home/a/Documents/sensitivity-soil-support.png", true));
    // Design files: a full disk, a file that is not there, a file whose
    // stored results this version computes differently, and QUIT with
    // changes not saved.
    {
        Harness h;
        FakeStore store;
        h.program.document().SetStore(&store);
        h.StartToMainMenu();
        store.failure = "No space left on device";
        h.program.document().Save(false);
        h.program.document().OpenFile("missing.korvelle");
        std::string example = ReadSource("data/examples/full-depth.korvelle");
        const std::string stored = "\"requiredSn\": \"3.44\"";
        example.replace(example.find(stored), stored.size(), "\"requiredSn\": \"3.45\"");
        store.files["changed.korvelle"] = example;
        h.desktop.answers = {Answer::Discard};
        h.program.document().OpenFile("changed.korvelle");
        h.SetText(ScreenId::MainMenu, 0, "");
        h.SetText(ScreenId::ProjectInformation, ProjectInformationScreen::kCounty, "CORWIN");
        h.program.Quit();
        for (const std::string& text : h.desktop.Texts()) messages.push_back(text);
        for (const Message& m : h.desktop.questions) messages.push_back(m.text);
    }
    // Design files: a stale acceptance, a file changed on the disk, a file
    // open in another Korvelle (opened, and saved as), a recovery copy.
    {
        Harness h;
        FakeStore store;
        h.program.document().SetStore(&store);
        h.program.Start();
        std::string example = ReadSource("data/examples/full-depth.korvelle");
        const std::string current = "\"current\": true";
        example.replace(example.find(current), current.size(), "\"current\": false");
        store.files["stale.korvelle"] = example;
        h.program.document().OpenFile("stale.korvelle");
        store.files["stale.korvelle"] += "\n";
        h.SetText(ScreenId::MainMenu, 0, "");
        h.program.document().Save(false);
        store.elsewhere = {{"stale.korvelle", LockHolder{"drafting-7", 4242}}, {"theirs.korvelle", {"drafting-7", 4242}}};
        h.program.document().OpenFile("stale.korvelle");
        store.saveAs = "theirs.korvelle";
        h.program.document().Save(true);
        store.left = {{"1-1", store.files["stale.korvelle"]}};
        messages.push_back(h.Text(ScreenId::MainMenu, MainMenu::kAcceptance));
        for (const std::string& text : h.desktop.Texts()) messages.push_back(text);
        for (const Message& m : h.desktop.questions) messages.push_back(m.text);
        Harness later;
        later.program.document().SetStore(&store);
        later.program.Start();
        store.left = {{"1-1", RecoveryCopyText(RecoveryCopy{NewDesign({2026, 12, 9}), "a.korvelle", "now", {}, false})}};
        later.program.document().OfferRecoveries();
        for (const Message& m : later.desktop.questions) messages.push_back(m.text);
    }
    // Alternatives: names refused and taken, USE over courses not kept,
    // DELETE.
    {
        ExampleRun h("full-depth.korvelle");
        h.ToEntry(MainMenu::kFullDepth);
        const StructureEntryScreen& entry = h.Entry(ScreenId::FullDepthEntry);
        for (const std::vector<std::string>& names :
             {std::vector<std::string>{"", std::string(41, 'x'), "A\tB", "A"}, {"A"}, {"B"}}) {
            h.desktop.texts = names;
            h.Click(ScreenId::FullDepthEntry, entry.KeepButton());
        }
        h.desktop.texts = {"A"};
        RenameAlternative(h.program, 1);
        h.SetText(ScreenId::FullDepthEntry, entry.Thickness(3), "9");
        ConfirmUse(h.program, 0);
        DeleteAlternative(h.program, 0);
        for (const std::string& text : h.desktop.Texts()) messages.push_back(text);
        // The questions, not the prompts for a name ("...: [A: ]").
        for (const Message& m : h.desktop.questions) {
            if (m.text.back() != ']') messages.push_back(m.text);
        }
    }
    return messages;
}

TEST(UserGuide, ListsEveryMessageOfTheProgramAndNoOther) {
    const std::vector<std::string> guide = GuideMessages();
    ASSERT_GE(guide.size(), 30u);
    const std::vector<std::string> program = ProgramMessages();
    std::set<std::string> matched;
    for (const std::string& message : program) {
        SCOPED_TRACE(message);
        bool listed = false;
        for (const std::string& pattern : guide) {
            if (Matches(pattern, message)) {
                listed = true;
                matched.insert(pattern);
            }
        }
        EXPECT_TRUE(listed) << "the guide does not list this message";
    }
    for (const std::string& pattern : guide) {
        EXPECT_TRUE(matched.count(pattern)) << "the program never shows \"" << pattern << "\"";
    }
}

// The pictures the guide names: in docs/images, listed in the script that
// refreshes them with the session that photographs them, and photographed
// by that session (or the steps it shares with the others).
TEST(UserGuide, PicturesComeFromTheEndToEndSessions) {
    const std::string guide = ReadSource("docs/user-guide.md");
    const std::string script = ReadSource("scripts/guide_images.sh");
    const std::string shared = ReadSource("tests/e2e/designer.sh") + ReadSource("tests/e2e/desktop.sh");
    const std::regex named(R"(\]\(images/([a-z0-9-]+\.png)\))");
    int pictures = 0;
    for (std::sregex_iterator it(guide.begin(), guide.end(), named), end; it != end; ++it) {
        const std::string picture = (*it)[1];
        SCOPED_TRACE(picture);
        ++pictures;
        EXPECT_TRUE(std::ifstream(std::string(KORVELLE_SOURCE_DIR) + "/docs/images/" + picture).good());
        std::smatch entry;
        const std::regex listed("\"" + std::regex_replace(picture, std::regex(R"(\.)"), R"(\.)") +
                                R"x( ([a-z_]+) ([a-z0-9-]+)")x");
        ASSERT_TRUE(std::regex_search(script, entry, listed)) << "not in scripts/guide_images.sh";
        const std::string session = ReadSource("tests/e2e/" + std::string(entry[1]) + "_session.sh");
        ASSERT_FALSE(session.empty()) << "no session " << entry[1];
        const std::regex shot("(^|\\n)\\s*shot " + std::string(entry[2]) + "\\b");
        EXPECT_TRUE(std::regex_search(session, shot) || std::regex_search(shared, shot))
            << "the session " << entry[1] << " takes no picture " << entry[2];
    }
    EXPECT_GE(pictures, 10);
}

// Every screen's section is a heading of the guide.
TEST(UserGuide, EveryScreenHasItsSection) {
    const std::string guide = ReadSource("docs/user-guide.md");
    for (const HelpTopic& topic : HelpTopics()) {
        SCOPED_TRACE(topic.heading);
        EXPECT_NE(guide.find("\n### " + std::string(topic.heading) + "\n"), std::string::npos);
    }
    for (std::string_view heading : {kSensitivityHelpHeading, kAlternativesHelpHeading}) {
        EXPECT_NE(guide.find("\n## " + std::string(heading) + "\n"), std::string::npos) << heading;
    }
}

}  // namespace
}  // namespace korvelle
