#pragma once

#include <QHash>
#include <QPointer>

#include "form_window.h"
#include "ui/program.h"

namespace korvelle {

class PrintService;

// Everything a window needs to be built: its logic and the program it is
// part of.
struct WindowContext {
    Screen& logic;
    Program& program;
    PrintService* printing = nullptr;
};

// The window of each screen.  Each builder lays out its screen's controls,
// registers them under the logic's control numbers and sets the focus order.
FormWindow* BuildStartupWindow(WindowContext& context);
FormWindow* BuildInformationWindow(WindowContext& context);
FormWindow* BuildMainMenuWindow(WindowContext& context);
FormWindow* BuildProjectInformationWindow(WindowContext& context);
FormWindow* BuildDesignDataWindow(WindowContext& context);
FormWindow* BuildDesignerInformationWindow(WindowContext& context);
FormWindow* BuildEsalWorksheetWindow(WindowContext& context);
FormWindow* BuildLdfWorksheetWindow(WindowContext& context);
FormWindow* BuildCountyWorksheetWindow(WindowContext& context);
FormWindow* BuildFullDepthEntryWindow(WindowContext& context);
FormWindow* BuildOverlayEntryWindow(WindowContext& context);
FormWindow* BuildFullDepthResultWindow(WindowContext& context);
FormWindow* BuildOverlayResultWindow(WindowContext& context);
FormWindow* BuildGuidelinesWindow(WindowContext& context);
FormWindow* BuildFullDepthPrintWindow(WindowContext& context);
FormWindow* BuildOverlayPrintWindow(WindowContext& context);
FormWindow* BuildLeastCostWindow(WindowContext& context);

// The program's windows, created when a screen is first needed.
class QtWindows : public WindowSystem {
public:
    QtWindows() = default;
    ~QtWindows() override;
    void SetProgram(Program& program) { program_ = &program; }
    void SetPrintService(PrintService* printing) { printing_ = printing; }

    FormView& Create(ScreenId id, Screen& logic) override;
    void Show(ScreenId id) override;
    void Hide(ScreenId id) override;
    void Destroy(ScreenId id) override;

    // The window of a screen, or nothing before it is created.
    FormWindow* window(ScreenId id) const { return windows_.value(static_cast<int>(id)); }

private:
    // The window manager's frame around a window, as measured on a window
    // already shown; none before the first (and none without a manager).
    QMargins FrameMargins() const;

    Program* program_ = nullptr;
    PrintService* printing_ = nullptr;
    QHash<int, QPointer<FormWindow>> windows_;
};

// Where a window of frame size `size` goes to be read beside the frame
// `anchor` on `screen`, and where the anchor goes to make room for it.  Where
// the screen has room for both, the window covers nothing of the anchor, the
// anchor moved the least it takes (not at all when there is room beside it);
// otherwise the window covers as little of the anchor as any place of the two
// on the screen would.  Among equal places: the anchor moved least, then the
// window nearest the anchor's right, level with its top.
struct SideBySide {
    QPoint anchor;  // the anchor frame's top-left corner
    QPoint window;  // the window frame's top-left corner
};
SideBySide PlaceBeside(QSize size, QRect anchor, QRect screen);

// Window titles.
inline const char* const kProgramTitle = "Flexible Pavement Design";
QString ScreenTitle(const char* name);  // "Flexible Pavement Design - " + name

}  // namespace korvelle
