#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
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
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* cont = w->AddButton(StartupScreen::kContinue, "CONTINUE");
    cont->setDefault(true);
    buttons->addWidget(cont);
    buttons->addStretch();
    layout->addLayout(buttons);
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
    w->SetFocusOrder({MainMenu::kOptions, MainMenu::kContinue});
    w->setMinimumWidth(420);
    return w;
}

}  // namespace korvelle
