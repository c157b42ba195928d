#include "ui/startup_screens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/version.h"
#include "fakes.h"

namespace korvelle {
namespace {

using M = MainMenu;
constexpr ScreenId kMenu = ScreenId::MainMenu;

TEST(StartupScreen, LoadFillsTheMaterialListsAndDefaultsBeforeTheScreenIsShown) {
    Harness h;
    bool readyWhenShown = false;
    h.windows.onShow = [&](ScreenId id) {
        if (id == ScreenId::Startup) {
            readyWhenShown = h.record.fullDepthMaterials[0] == "12.5 mm OGFC" &&
                             h.record.existingMaterials[6] == "[NO COURSE]";
        }
    };
    h.program.Start();
    EXPECT_TRUE(readyWhenShown);
    EXPECT_EQ(h.windows.log, (std::vector<WindowEvent>{{WindowEvent::Create, ScreenId::Startup},
                                                       {WindowEvent::Show, ScreenId::Startup}}));
    EXPECT_EQ(h.record.fullDepthMaterials[2], "12.5 mm Superpave");
    EXPECT_EQ(h.record.fullDepthMaterials[9], "Soil-Cement Base");
    EXPECT_EQ(h.record.fullDepthMaterials[11], "[NO COURSE]");
    EXPECT_EQ(h.record.overlayMaterials[8], "37 mm Superpave");
    EXPECT_EQ(h.record.overlayMaterials[9], "[NO COURSE]");
    EXPECT_EQ(h.record.existingMaterials[0], "Portland Cement Concrete (good)");
    EXPECT_EQ(h.record.existingMaterials[5], "Sand-Clay Base");
    EXPECT_FLOAT_EQ(h.record.singleUnitEsal, 0.40f);
    EXPECT_FLOAT_EQ(h.record.multiUnitEsal, 1.50f);
    EXPECT_FLOAT_EQ(h.record.terminalServiceability, 2.5f);
    EXPECT_EQ(h.record.requiredSn, 0.0f);
}

TEST(StartupScreen, ContinueShowsTheInformationScreenThenDestroysItself) {
    Harness h;
    h.program.Start();
    const std::size_t mark = h.windows.log.size();
    h.Click(ScreenId::Startup, StartupScreen::kContinue);
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Create, ScreenId::Information},
                                                               {WindowEvent::Show, ScreenId::Information},
                                                               {WindowEvent::Destroy, ScreenId::Startup}}));
    EXPECT_TRUE(h.program.destroyed(ScreenId::Startup));
}

TEST(InformationScreen, ContinueShowsTheProjectScreenThenDestroysItself) {
    Harness h;
    h.program.Start();
    h.Click(ScreenId::Startup, StartupScreen::kContinue);
    EXPECT_FALSE(h.Text(ScreenId::Information, InformationScreen::kNotice).empty());
    EXPECT_FALSE(h.Text(ScreenId::Information, InformationScreen::kContactIntro).empty());
    EXPECT_NE(h.Text(ScreenId::Information, InformationScreen::kContact).find('\n'), std::string::npos);
    EXPECT_EQ(h.Text(ScreenId::Information, InformationScreen::kVersion), "Version " + std::string(kProgramVersion));
    const std::size_t mark = h.windows.log.size();
    h.Click(ScreenId::Information, InformationScreen::kContinue);
    EXPECT_EQ(h.windows.Since(mark),
              (std::vector<WindowEvent>{{WindowEvent::Create, ScreenId::ProjectInformation},
                                        {WindowEvent::Show, ScreenId::ProjectInformation},
                                        {WindowEvent::Destroy, ScreenId::Information}}));
}

TEST(InformationScreen, PictureShowsItsPlainMessageEveryTimeWithoutABeep) {
    Harness h;
    h.program.Start();
    h.Click(ScreenId::Startup, StartupScreen::kContinue);
    const std::size_t mark = h.windows.log.size();
    h.Click(ScreenId::Information, InformationScreen::kPicture);
    h.Click(ScreenId::Information, InformationScreen::kPicture);
    ASSERT_EQ(h.desktop.messages.size(), 2u);
    for (const Message& m : h.desktop.messages) {
        EXPECT_EQ(m.text, "    DAWGS SUCK!!!");
        EXPECT_EQ(m.title, "QUENBAR TECH");
        EXPECT_EQ(m.style, MessageStyle::Plain);
    }
    EXPECT_EQ(h.desktop.beeps, 0);
    EXPECT_TRUE(h.windows.Since(mark).empty());
}

TEST(StartupScreens, NeverComeBackInTheSameRun) {
    Harness h;
    h.StartToMainMenu();
    const std::size_t mark = h.windows.log.size();
    h.program.Show(ScreenId::Startup);
    h.program.Show(ScreenId::Information);
    EXPECT_TRUE(h.windows.Since(mark).empty());
    EXPECT_EQ(h.windows.Count(WindowEvent::Create, ScreenId::Startup), 1);
    EXPECT_EQ(h.windows.Count(WindowEvent::Create, ScreenId::Information), 1);
    // Nor does the program's preparation run again.
    h.record.fullDepthMaterials[0] = "changed";
    h.program.Show(ScreenId::Startup);
    EXPECT_EQ(h.record.fullDepthMaterials[0], "changed");
}

TEST(StartupScreens, CloseBoxEndsTheProgram) {
    Harness h;
    h.program.Start();
    h.Logic(ScreenId::Startup).CloseBox();
    EXPECT_EQ(h.desktop.quits, 1);
    h.Click(ScreenId::Startup, StartupScreen::kContinue);
    h.Logic(ScreenId::Information).CloseBox();
    EXPECT_EQ(h.desktop.quits, 2);
}

// ------------------------------------------------------------- main menu

TEST(MainMenu, ContinueWithNothingClickedStartsAFullDepthDesign) {
    Harness h;
    h.StartToMainMenu();
    EXPECT_EQ(h.View(kMenu).Choice(M::kOptions), M::kFullDepth);
    EXPECT_EQ(h.record.menuChoice, 0);
    const std::size_t mark = h.windows.log.size();
    h.Click(kMenu, M::kContinue);
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Create, ScreenId::FullDepthEntry},
                                                               {WindowEvent::Show, ScreenId::FullDepthEntry},
                                                               {WindowEvent::Hide, kMenu}}));
}

TEST(MainMenu, ClickingAnOptionOnlySelectsIt) {
    Harness h;
    h.StartToMainMenu();
    const std::size_t mark = h.windows.log.size();
    h.ClickOption(kMenu, M::kOptions, M::kQuit);
    EXPECT_EQ(h.record.menuChoice, M::kQuit);
    h.ClickOption(kMenu, M::kOptions, M::kOverlay);
    EXPECT_EQ(h.record.menuChoice, M::kOverlay);
    EXPECT_TRUE(h.windows.Since(mark).empty());
    EXPECT_EQ(h.desktop.quits, 0);
    h.Click(kMenu, M::kContinue);
    EXPECT_TRUE(h.windows.Visible(ScreenId::OverlayEntry));
    EXPECT_FALSE(h.windows.Visible(kMenu));
}

TEST(MainMenu, DoubleClickActsAsContinue) {
    {
        Harness h;
        h.StartToMainMenu();
        const std::size_t mark = h.windows.log.size();
        h.DoubleClickOption(kMenu, M::kOptions, M::kOverlay);
        EXPECT_EQ(h.record.menuChoice, M::kOverlay);
        EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Create, ScreenId::OverlayEntry},
                                                                   {WindowEvent::Show, ScreenId::OverlayEntry},
                                                                   {WindowEvent::Hide, kMenu}}));
    }
    {
        Harness h;
        h.StartToMainMenu();
        h.desktop.answers = {Answer::Discard};
        h.DoubleClickOption(kMenu, M::kOptions, M::kQuit);
        EXPECT_EQ(h.desktop.quits, 1);
    }
}

TEST(MainMenu, QuitOptionEndsTheProgramOnceTheDesignerDiscardsTheDesign) {
    Harness h;
    h.StartToMainMenu();
    h.ClickOption(kMenu, M::kOptions, M::kQuit);
    const std::size_t mark = h.windows.log.size();
    h.desktop.answers = {Answer::Discard};
    h.Click(kMenu, M::kContinue);
    EXPECT_EQ(h.desktop.questions.size(), 1u);
    EXPECT_EQ(h.desktop.quits, 1);
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_TRUE(h.windows.Since(mark).empty());
}

TEST(MainMenu, EditDataReturnsToTheProjectScreenWithEveryEntryInPlace) {
    Harness h;
    h.StartToMainMenu();
    h.SetText(ScreenId::DesignerInformation, DesignerInformationScreen::kComments, "kept");
    h.ClickOption(kMenu, M::kOptions, M::kEditData);
    const std::size_t mark = h.windows.log.size();
    h.Click(kMenu, M::kContinue);
    EXPECT_EQ(h.windows.Since(mark), (std::vector<WindowEvent>{{WindowEvent::Show, ScreenId::ProjectInformation},
                                                               {WindowEvent::Hide, kMenu}}));
    EXPECT_EQ(h.Text(ScreenId::ProjectInformation, ProjectInformationScreen::kCounty), "CLARKE");
    EXPECT_EQ(h.Text(ScreenId::ProjectInformation, ProjectInformationScreen::kFinalYear), "2020");
    EXPECT_EQ(h.Text(ScreenId::DesignData, DesignDataScreen::kSoilSupport), "4.0");
    EXPECT_EQ(h.Text(ScreenId::DesignerInformation, DesignerInformationScreen::kComments), "kept");
}

TEST(MainMenu, ReturnThroughTheDesignerScreenAlwaysSelectsFullDepth) {
    Harness h;
    h.StartToMainMenu();
    h.ClickOption(kMenu, M::kOptions, M::kEditData);
    h.Click(kMenu, M::kContinue);
    h.Click(ScreenId::ProjectInformation, ProjectInformationScreen::kContinue);
    h.Click(ScreenId::DesignData, DesignDataScreen::kContinue);
    h.Click(ScreenId::DesignerInformation, DesignerInformationScreen::kContinue);
    EXPECT_EQ(h.View(kMenu).Choice(M::kOptions), M::kFullDepth);
    EXPECT_EQ(h.record.menuChoice, M::kFullDepth);
    EXPECT_EQ(h.windows.Count(WindowEvent::Create, kMenu), 1);
    h.Click(kMenu, M::kContinue);
    EXPECT_TRUE(h.windows.Visible(ScreenId::FullDepthEntry));
}

TEST(MainMenu, CloseBoxEndsTheProgram) {
    Harness h;
    h.StartToMainMenu();
    h.desktop.answers = {Answer::Discard};
    h.Logic(kMenu).CloseBox();
    EXPECT_EQ(h.desktop.quits, 1);
}

}  // namespace
}  // namespace korvelle
