#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/print_screen.h"
#include "windows.h"

namespace korvelle {

namespace {

using S = PrintScreen;

// The font note above the four buttons and the outcome of the last print
// below them.  The two print screens differ only in their focus order.
FormWindow* BuildPrintWindow(WindowContext& context, const QList<int>& focusOrder) {
    auto* w = new FormWindow(context.logic, kProgramTitle);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(14);

    QLabel* note = w->AddDisplay(S::kNote, "Font note");
    note->setWordWrap(true);
    note->setTextFormat(Qt::PlainText);
    note->setMinimumWidth(500);
    layout->addWidget(note);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch();
    const QList<QPair<int, QString>> captions = {{S::kPrint, "  PRINT THE DESIGN FORM"},
                                                 {S::kPreview, "PREVIEW"},
                                                 {S::kMainMenu, "MAIN MENU"},
                                                 {S::kQuit, "QUIT"}};
    QList<QPushButton*> row;
    int width = 0;
    for (const auto& [control, caption] : captions) {
        row.append(w->AddButton(control, caption));
        width = std::max(width, row.last()->sizeHint().width());
    }
    for (QPushButton* button : row) {
        button->setMinimumWidth(width + 16);  // one width for all four
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    w->control(S::kPreview)->setToolTip("Shows the form as PRINT would print it, page by page (Ctrl+Shift+P)");
    w->AddShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), S::kPreview);

    // The design can be saved from here as from the main menu.
    layout->addLayout(w->AddButtonRow({{S::kSave, "SAVE DESIGN"}, {S::kSaveAs, "SAVE AS..."}}));
    w->AddShortcut(QKeySequence::Save, S::kSave);
    w->AddShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), S::kSaveAs);

    QLabel* status = w->AddDisplay(S::kStatus, "Print status");
    status->setWordWrap(true);
    status->setTextFormat(Qt::PlainText);
    status->setAlignment(Qt::AlignCenter);
    // Room for two lines, so that neither the first outcome nor one that
    // names a whole path and why it was not saved makes the window jump or
    // squeezes the note.
    status->setMinimumHeight(2 * status->fontMetrics().lineSpacing());
    layout->addWidget(status);

    w->SetFocusOrder(focusOrder);
    w->control(focusOrder.front())->setFocus();
    return w;
}

}  // namespace

FormWindow* BuildFullDepthPrintWindow(WindowContext& context) {
    return BuildPrintWindow(context, {S::kPrint, S::kPreview, S::kMainMenu, S::kQuit, S::kSave, S::kSaveAs});
}

FormWindow* BuildOverlayPrintWindow(WindowContext& context) {
    // MAIN MENU comes first on this screen; PREVIEW still follows PRINT.
    return BuildPrintWindow(context, {S::kMainMenu, S::kPrint, S::kPreview, S::kQuit, S::kSave, S::kSaveAs});
}

}  // namespace korvelle
