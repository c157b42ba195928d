#include "ui/program.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes.h"

namespace korvelle {
namespace {

// Runs one user action and checks that it moved from one screen to another
// by showing the next screen (creating it on first use) before the current
// one goes.
void ExpectMove(Harness& h, ScreenId from, ScreenId to, const std::function<void()>& action,
                bool destroys = false) {
    SCOPED_TRACE(std::string(Name(from)) + " -> " + Name(to));
    const bool firstTime = !h.windows.Exists(to);
    const std::size_t mark = h.windows.log.size();
    action();
    std::vector<WindowEvent> expected;
    if (firstTime) expected.push_back({WindowEvent::Create, to});
    expected.push_back({WindowEvent::Show, to});
    expected.push_back({destroys ? WindowEvent::Destroy : WindowEvent::Hide, from});
    EXPECT_EQ(h.windows.Since(mark), expected);
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_EQ(h.windows.visible, std::set<ScreenId>{to});
}

void ChooseCourse(Harness& h, ScreenId id, int row, int position, const std::string& thickness) {
    auto& entry = h.Logic<StructureEntryScreen>(id);
    h.View(id).SetChoice(entry.List(row), position);
    h.SetText(id, entry.Thickness(row), thickness);
}

TEST(Program, FixedRoadOfAFullDepthAndAnOverlayDesign) {
    Harness h;
    h.desktop.today = {2002, 2, 14};
    h.program.Start();
    EXPECT_EQ(h.windows.visible, std::set<ScreenId>{ScreenId::Startup});
    ExpectMove(h, ScreenId::Startup, ScreenId::Information,
               [&] { h.Click(ScreenId::Startup, StartupScreen::kContinue); }, true);
    ExpectMove(h, ScreenId::Information, ScreenId::ProjectInformation,
               [&] { h.Click(ScreenId::Information, InformationScreen::kContinue); }, true);
    h.FillProject();
    ExpectMove(h, ScreenId::ProjectInformation, ScreenId::DesignData,
               [&] { h.Click(ScreenId::ProjectInformation, ProjectInformationScreen::kContinue); });
    h.FillDesignData();
    ExpectMove(h, ScreenId::DesignData, ScreenId::DesignerInformation,
               [&] { h.Click(ScreenId::DesignData, DesignDataScreen::kContinue); });
    ExpectMove(h, ScreenId::DesignerInformation, ScreenId::MainMenu,
               [&] { h.Click(ScreenId::DesignerInformation, DesignerInformationScreen::kContinue); });

    ExpectMove(h, ScreenId::MainMenu, ScreenId::FullDepthEntry,
               [&] { h.Click(ScreenId::MainMenu, MainMenu::kContinue); });
    ChooseCourse(h, ScreenId::FullDepthEntry, 0, 2, "5.00");  // 12.5 mm Superpave
    auto& fullDepth = h.Logic<StructureEntryScreen>(ScreenId::FullDepthEntry);
    ExpectMove(h, ScreenId::FullDepthEntry, ScreenId::FullDepthResult,
               [&] { h.Click(ScreenId::FullDepthEntry, fullDepth.ContinueButton()); });
    auto& fullResult = h.Logic<ResultScreen>(ScreenId::FullDepthResult);
    ExpectMove(h, ScreenId::FullDepthResult, ScreenId::FullDepthEntry,
               [&] { h.Click(ScreenId::FullDepthResult, fullResult.EditButton()); });
    ExpectMove(h, ScreenId::FullDepthEntry, ScreenId::FullDepthResult,
               [&] { h.Click(ScreenId::FullDepthEntry, fullDepth.ContinueButton()); });
    ExpectMove(h, ScreenId::FullDepthResult, ScreenId::FullDepthPrint,
               [&] { h.Click(ScreenId::FullDepthResult, fullResult.AcceptButton()); });
    ExpectMove(h, ScreenId::FullDepthPrint, ScreenId::MainMenu,
               [&] { h.Click(ScreenId::FullDepthPrint, PrintScreen::kMainMenu); });

    h.ClickOption(ScreenId::MainMenu, MainMenu::kOptions, MainMenu::kOverlay);
    ExpectMove(h, ScreenId::MainMenu, ScreenId::OverlayEntry,
               [&] { h.Click(ScreenId::MainMenu, MainMenu::kContinue); });
    ChooseCourse(h, ScreenId::OverlayEntry, 0, 2, "2.00");
    ChooseCourse(h, ScreenId::OverlayEntry, 3, 0, "9.00");
    auto& overlay = h.Logic<StructureEntryScreen>(ScreenId::OverlayEntry);
    ExpectMove(h, ScreenId::OverlayEntry, ScreenId::OverlayResult,
               [&] { h.Click(ScreenId::OverlayEntry, overlay.ContinueButton()); });
    auto& overlayResult = h.Logic<ResultScreen>(ScreenId::OverlayResult);
    ExpectMove(h, ScreenId::OverlayResult, ScreenId::OverlayPrint,
               [&] { h.Click(ScreenId::OverlayResult, overlayResult.AcceptButton()); });
    ExpectMove(h, ScreenId::OverlayPrint, ScreenId::MainMenu,
               [&] { h.Click(ScreenId::OverlayPrint, PrintScreen::kMainMenu); });

    h.ClickOption(ScreenId::MainMenu, MainMenu::kOptions, MainMenu::kEditData);
    ExpectMove(h, ScreenId::MainMenu, ScreenId::ProjectInformation,
               [&] { h.Click(ScreenId::MainMenu, MainMenu::kContinue); });

    // Every screen was created once and never destroyed, except the first two.
    for (int i = 0; i < kScreenCount; ++i) {
        const auto id = static_cast<ScreenId>(i);
        if (id == ScreenId::Guidelines || id == ScreenId::EsalWorksheet || id == ScreenId::LdfWorksheet ||
            id == ScreenId::CountyWorksheet || id == ScreenId::LeastCost) {
            continue;
        }
        EXPECT_EQ(h.windows.Count(WindowEvent::Create, id), 1) << Name(id);
        const bool once = id == ScreenId::Startup || id == ScreenId::Information;
        EXPECT_EQ(h.windows.Count(WindowEvent::Destroy, id), once ? 1 : 0) << Name(id);
    }
    EXPECT_EQ(h.desktop.quits, 0);
}

TEST(Program, QuitOnEveryScreenAsksFirstAndCancelKeepsTheProgram) {
    Harness h;
    h.StartToMainMenu();
    h.Click(ScreenId::MainMenu, MainMenu::kContinue);
    const std::vector<std::pair<ScreenId, int>> quits = {
        {ScreenId::ProjectInformation, ProjectInformationScreen::kQuit},
        {ScreenId::DesignData, DesignDataScreen::kQuit},
        {ScreenId::DesignerInformation, DesignerInformationScreen::kQuit},
        {ScreenId::FullDepthEntry, h.Logic<StructureEntryScreen>(ScreenId::FullDepthEntry).QuitButton()},
        {ScreenId::OverlayEntry, 3 * 6 + 2},
        {ScreenId::FullDepthResult, h.Logic<ResultScreen>(ScreenId::FullDepthResult).QuitButton()},
        {ScreenId::OverlayResult, h.Logic<ResultScreen>(ScreenId::OverlayResult).QuitButton()},
        {ScreenId::FullDepthPrint, PrintScreen::kQuit},
        {ScreenId::OverlayPrint, PrintScreen::kQuit},
    };
    EXPECT_EQ(h.Logic<StructureEntryScreen>(ScreenId::OverlayEntry).QuitButton(), 3 * 6 + 2);
    int expected = 0;
    for (auto [id, control] : quits) {
        SCOPED_TRACE(Name(id));
        h.program.view(id);
        const std::size_t mark = h.windows.log.size();
        h.desktop.Clear();
        h.Click(id, control);  // Cancel, the default: nothing happens
        ASSERT_EQ(h.desktop.questions.size(), 1u);
        EXPECT_EQ(h.desktop.questions[0].text, "Save changes to the design NH-IM-85-1(123) before quitting?");
        EXPECT_EQ(h.desktop.quits, expected);
        h.desktop.answers = {Answer::Discard};
        h.Click(id, control);
        EXPECT_EQ(h.desktop.quits, ++expected);
        EXPECT_TRUE(h.windows.Since(mark).empty());
        EXPECT_TRUE(h.desktop.messages.empty());
    }
}

TEST(Program, QuittingBeforeAnythingIsEnteredAsksNothing) {
    // (The start-up and information screens never ask.)
    Harness h;
    h.StartToProject();
    h.Click(ScreenId::ProjectInformation, ProjectInformationScreen::kQuit);  // every field empty
    EXPECT_EQ(h.desktop.quits, 1);
    EXPECT_TRUE(h.desktop.questions.empty());
    // One character anywhere is worth the question.
    h.Type(ScreenId::ProjectInformation, ProjectInformationScreen::kCounty, "A");
    h.Click(ScreenId::ProjectInformation, ProjectInformationScreen::kQuit);
    EXPECT_EQ(h.desktop.questions.size(), 1u);
    EXPECT_EQ(h.desktop.quits, 1);
}

TEST(Program, CloseBoxOnAScreenOfTheChainAsksAsQuitDoes) {
    Harness h;
    h.StartToMainMenu();
    int expected = 0;
    for (ScreenId id : {ScreenId::ProjectInformation, ScreenId::DesignData, ScreenId::DesignerInformation,
                        ScreenId::MainMenu, ScreenId::FullDepthEntry, ScreenId::OverlayEntry, ScreenId::FullDepthResult,
                        ScreenId::OverlayResult, ScreenId::FullDepthPrint, ScreenId::OverlayPrint}) {
        h.program.view(id);
        h.Logic(id).CloseBox();
        EXPECT_EQ(h.desktop.quits, expected) << Name(id);
        h.desktop.answers = {Answer::Discard};
        h.Logic(id).CloseBox();
        EXPECT_EQ(h.desktop.quits, ++expected) << Name(id);
    }
}

TEST(Program, CloseBoxOnAWorksheetReturnsToTheDesignDataScreenUnchanged) {
    for (ScreenId sheet : {ScreenId::EsalWorksheet, ScreenId::LdfWorksheet, ScreenId::CountyWorksheet}) {
        SCOPED_TRACE(Name(sheet));
        Harness h;
        h.StartToDesignData();
        const int link = sheet == ScreenId::EsalWorksheet  ? DesignDataScreen::kEsalLink
                         : sheet == ScreenId::LdfWorksheet ? DesignDataScreen::kLdfLink
                                                           : DesignDataScreen::kCountyLink;
        h.Click(ScreenId::DesignData, link);
        EXPECT_EQ(h.windows.visible, std::set<ScreenId>{sheet});
        const std::map<int, std::string> before = h.View(ScreenId::DesignData).texts;
        const std::size_t mark = h.windows.log.size();
        h.Logic(sheet).CloseBox();
        EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Show, ScreenId::DesignData},
                                                                   {WindowEvent::Hide, sheet}}));
        EXPECT_EQ(h.View(ScreenId::DesignData).texts, before);
        EXPECT_EQ(h.record.ldf, 0.0f);
        EXPECT_EQ(h.record.esal18, 0.0f);
        EXPECT_EQ(h.record.soilSupport, 0.0f);
        EXPECT_EQ(h.desktop.quits, 0);
        EXPECT_TRUE(h.desktop.messages.empty());
    }
}

TEST(Program, CloseBoxOnTheGuidelinesHidesThem) {
    Harness h;
    h.StartToMainMenu();
    h.Click(ScreenId::MainMenu, MainMenu::kContinue);
    auto& entry = h.Logic<StructureEntryScreen>(ScreenId::FullDepthEntry);
    h.Click(ScreenId::FullDepthEntry, entry.GuidelinesButton());
    h.Logic(ScreenId::Guidelines).CloseBox();
    EXPECT_EQ(h.windows.visible, std::set<ScreenId>{ScreenId::FullDepthEntry});
    EXPECT_EQ(h.desktop.quits, 0);
}

TEST(Program, ScreenIsCreatedOnFirstUseAndItsLoadStepRunsOnce) {
    Harness h;
    h.StartToMainMenu();
    EXPECT_FALSE(h.program.created(ScreenId::FullDepthEntry));
    FormView& first = h.program.view(ScreenId::FullDepthEntry);
    EXPECT_TRUE(h.program.created(ScreenId::FullDepthEntry));
    FormView& again = h.program.view(ScreenId::FullDepthEntry);
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(h.windows.Count(WindowEvent::Create, ScreenId::FullDepthEntry), 1);
    EXPECT_EQ(h.windows.Count(WindowEvent::Show, ScreenId::FullDepthEntry), 0);  // created, not shown

    // Hiding a screen that was never created does nothing.
    const std::size_t mark = h.windows.log.size();
    h.program.Hide(ScreenId::OverlayPrint);
    EXPECT_TRUE(h.windows.Since(mark).empty());
}

}  // namespace
}  // namespace korvelle
