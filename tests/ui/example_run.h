#pragma once

// One run of the program on the fakes with a shipped example design open on
// its main menu, the county table, the example unit-cost table and a fake
// printer in place.

#include <fstream>
#include <sstream>

#include "fakes.h"
#include "ui/unit_cost_file.h"

namespace korvelle {

struct ExampleRun : Harness {
    FakeStore store;
    FakePrintService printer;
    explicit ExampleRun(const char* example) {
        std::ifstream in(std::string(KORVELLE_SOURCE_DIR) + "/data/examples/" + example, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        store.files["ex.korvelle"] = text.str();
        program.document().SetStore(&store);
        Logic<CountyWorksheet>(ScreenId::CountyWorksheet).SetTable(*LoadCountyTable(nullptr, nullptr));
        program.SetUnitCosts(LoadUnitCostTable("", nullptr));
        for (ScreenId id : {ScreenId::FullDepthPrint, ScreenId::OverlayPrint}) {
            Logic<PrintScreen>(id).SetPrintService(&printer);
        }
        program.Start();
        EXPECT_TRUE(program.document().OpenFile("ex.korvelle"));
        desktop.Clear();
    }
    StructureEntryScreen& Entry(ScreenId id) { return Logic<StructureEntryScreen>(id); }
    void ToEntry(int option) {
        ClickOption(ScreenId::MainMenu, MainMenu::kOptions, option);
        Click(ScreenId::MainMenu, MainMenu::kContinue);
    }
};

}  // namespace korvelle
