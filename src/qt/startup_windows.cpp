#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeySequence>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/startup_screens.h"
#include "widgets.h"
#include "windows.h"

namespace korvelle {

namespace {

// The pictures are PNG files among the program's resources.  Naming the
// format, instead of letting it be guessed, keeps Qt from loading every
// image format plug-in installed to ask each whether it reads PNG, which
// would slow the start-up screen down.
QLabel* Picture(QLabel* label, const char* resource) {
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    label->setPixmap(QPixmap::fromImage(reader.read()));
    label->setAlignment(Qt::AlignCenter);
    label->setAccessibleName("Pavement cross-section picture");
    return label;
}

}  // namespace

FormWindow* BuildStartupWindow(WindowContext& context) {
    auto* w = new FormWindow(context.logic, kProgramTitle);
    auto* layout = new QVBoxLayout(w);
    auto* title = new QLabel("KORVELLE", w);
    QFont font("serif");
    font.setStyleHint(QFont::Serif);
    font.setPointSize(40);
    font.setBold(true);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    title->setAccessibleName("KORVELLE");
    layout->addWidget(title);
    layout->addWidget(Picture(new QLabel(w), ":/pictures/pavement.png"));
    for (const char* line : {"December 1, 2001",
                             "Based on the \"AASHTO Interim Guide For Design of Pavement Structures\" - 1972 Edition",
                             "Flexible pavement design program of the Pavement Design Section"}) {
        auto* label = MakeNote(line, w, false);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    // CONTINUE in the middle; a saved design can be reopened straight away
    // from the corner beside it.
    auto* buttons = new QGridLayout;
    QPushButton* cont = w->AddButton(StartupScreen::kContinue, "CONTINUE");
    cont->setDefault(true);
    QPushButton* open = w->AddButton(StartupScreen::kOpen, "OPEN DESIGN...");
    buttons->addWidget(cont, 0, 1);
    buttons->addWidget(open, 0, 2, Qt::AlignRight);
    buttons->setColumnStretch(0, 1);
    buttons->setColumnStretch(2, 1);
    buttons->setColumnMinimumWidth(0, open->sizeHint().width());
    layout->addLayout(buttons);
    w->AddShortcut(QKeySequence::Open, StartupScreen::kOpen);
    w->SetFocusOrder({StartupScreen::kContinue, StartupScreen::kOpen});
    cont->setFocus();
    return w;
}

FormWindow* BuildInformationWindow(WindowContext& context) {
    auto* w = new FormWindow(context.logic, kProgramTitle);
    auto* layout = new QHBoxLayout(w);
    auto* picture = new ClickableLabel(w);
    Picture(picture, ":/pictures/pavement-small.png");
    QObject::connect(picture, &ClickableLabel::clicked, w,
                     [&logic = context.logic] { logic.Click(InformationScreen::kPicture); });
    layout->addWidget(picture, 0, Qt::AlignTop);
    auto* text = new QVBoxLayout;
    for (int control : {InformationScreen::kNotice, InformationScreen::kContactIntro, InformationScreen::kContact}) {
        QLabel* label = w->AddDisplay(control, "Notice");
        label->setWordWrap(true);
        label->setMinimumWidth(380);
        text->addWidget(label);
    }
    text->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(w->AddDisplay(InformationScreen::kVersion, "Version"), 0, Qt::AlignBottom);
    buttons->addStretch();
    QPushButton* cont = w->AddButton(InformationScreen::kContinue, "CONTINUE");
    buttons->addWidget(cont);
    text->addLayout(buttons);
    layout->addLayout(text);
    cont->setFocus();
    return w;
}

FormWindow* BuildMainMenuWindow(WindowContext& context) {
    auto* w = new FormWindow(context.logic, ScreenTitle("Main Menu"));
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(MakeHeading("MAIN MENU", w));
    // The design's file: which it is, and saving or opening one.
    auto* file = new QGroupBox(w);
    file->setAccessibleName("Design file");
    auto* fileLayout = new QVBoxLayout(file);
    QLabel* status = w->AddDisplay(MainMenu::kFileStatus, "Design file");
    status->setWordWrap(true);
    status->setTextFormat(Qt::PlainText);
    fileLayout->addWidget(status);
    // The structure accepted last, or that it no longer matches the data.
    QLabel* accepted = w->AddDisplay(MainMenu::kAcceptance, "Accepted structure");
    accepted->setWordWrap(true);
    accepted->setTextFormat(Qt::PlainText);
    fileLayout->addWidget(accepted);
    fileLayout->addLayout(w->AddButtonRow(
        {{MainMenu::kSave, "SAVE DESIGN"}, {MainMenu::kSaveAs, "SAVE AS..."}, {MainMenu::kOpen, "OPEN DESIGN..."}}));
    layout->addWidget(file);
    w->AddShortcut(QKeySequence::Save, MainMenu::kSave);
    w->AddShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), MainMenu::kSaveAs);
    w->AddShortcut(QKeySequence::Open, MainMenu::kOpen);
    // How the required SN moves with the soil support and the loading,
    // with the accepted structure drawn across.
    // The alternative structures kept, side by side.
    layout->addLayout(
        w->AddButtonRow({{MainMenu::kSensitivity, "SENSITIVITY..."}, {MainMenu::kAlternatives, "ALTERNATIVES..."}}));
    QWidget* sensitivity = w->control(MainMenu::kSensitivity);
    sensitivity->setAccessibleName("SENSITIVITY");
    sensitivity->setToolTip("The required SN against soil support and against the design loading (Ctrl+G)");
    w->AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), MainMenu::kSensitivity);
    QWidget* alternatives = w->control(MainMenu::kAlternatives);
    alternatives->setAccessibleName("ALTERNATIVES");
    alternatives->setToolTip("The alternative structures kept, compared on the design as it stands (Ctrl+L)");
    w->AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), MainMenu::kAlternatives);
    auto* hint = MakeNote("(CLICK ON ONE)", w, false);
    hint->setAlignment(Qt::AlignCenter);
    layout->addWidget(hint);
    auto* frame = new QGroupBox(w);
    frame->setAccessibleName("MAIN MENU");
    auto* options = new QVBoxLayout(frame);
    QList<QAbstractButton*> buttons;
    w->AddOptions(MainMenu::kOptions, "MAIN MENU",
                  {"   DESIGN A FULL-DEPTH PAVEMENT", "   DESIGN AN ASPHALT OVERLAY", "   EDIT DESIGN/DESIGNER DATA",
                   "   QUIT"},
                  &buttons);
    for (QAbstractButton* b : buttons) options->addWidget(b);
    layout->addWidget(frame);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(w->AddButton(MainMenu::kContinue, "CONTINUE"));
    row->addStretch();
    layout->addLayout(row);
    w->SetFocusOrder({MainMenu::kOptions, MainMenu::kContinue, MainMenu::kSave, MainMenu::kSaveAs, MainMenu::kOpen,
                      MainMenu::kSensitivity, MainMenu::kAlternatives});
    w->setMinimumWidth(420);
    return w;
}

}  // namespace korvelle
