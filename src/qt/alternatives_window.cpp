#include "alternatives_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/number_format.h"
#include "form_window.h"
#include "help_window.h"
#include "ui/help_topics.h"
#include "widgets.h"
#include "windows.h"

namespace korvelle {

namespace {

// Wide enough for a long list of courses on one line where the screen has
// room.
constexpr QSize kPreferredSize(980, 420);

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The role that holds a cell's alternative: its place in the list kept.
constexpr int kAlternativeRole = Qt::UserRole;

// A cell that sorts by its column's numbers, not by its text.
class AlternativeItem : public QTableWidgetItem {
public:
    AlternativeItem(const std::vector<AlternativeRow>& rows, std::size_t index, AlternativeColumn column)
        : QTableWidgetItem(Q(CellText(rows[index], column))), rows_(rows), column_(column) {
        setData(kAlternativeRole, static_cast<qulonglong>(index));
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return SortsBefore(rows_[Index(*this)], rows_[Index(other)], column_);
    }
    static std::size_t Index(const QTableWidgetItem& item) {
        return static_cast<std::size_t>(item.data(kAlternativeRole).toULongLong());
    }

private:
    const std::vector<AlternativeRow>& rows_;
    AlternativeColumn column_;
};

bool Numeric(AlternativeColumn column) {
    return column == AlternativeColumn::Thickness || column == AlternativeColumn::ProposedSn ||
           column == AlternativeColumn::Difference || column == AlternativeColumn::Cost;
}

QPushButton* MakeButton(const QString& text, const QString& name, const QString& tip, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(name);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

AlternativesWindow::AlternativesWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setWindowTitle(ScreenTitle("Alternatives"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeHeading(Q(std::string(kAlternativesTitle)), this));

    requiredSn_ = MakeNote(
        Q("Required SN " + FormatNumber(program.record().requiredSn, "0.00") +
          ". Each alternative is evaluated now, as CONTINUE on its entry screen evaluates it."),
        this);
    requiredSn_->setAccessibleName("Required SN");
    layout->addWidget(requiredSn_);

    table_ = new QTableWidget(0, kAlternativeColumns, this);
    QStringList headings;
    for (int c = 0; c < kAlternativeColumns; ++c) headings << Q(std::string(ColumnTitle(AlternativeColumn(c))));
    table_->setHorizontalHeaderLabels(headings);
    table_->setAccessibleName("Alternatives");
    table_->setAccessibleDescription("One row per alternative kept; click a heading to sort by it");
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setAlternatingRowColors(true);
    table_->setCornerButtonEnabled(false);
    table_->setWordWrap(false);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(static_cast<int>(AlternativeColumn::Courses), QHeaderView::Stretch);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);  // as kept, until a heading is clicked
    layout->addWidget(table_, 1);

    empty_ = MakeNote("No alternative is kept yet: KEEP AS ALTERNATIVE... on an entry screen keeps its courses "
                      "under a name.",
                      this);
    empty_->setAccessibleName("No alternatives");
    layout->addWidget(empty_);

    use_ = MakeButton("USE", "USE",
                      "Puts the alternative's courses on its entry screen, to evaluate and accept (double click)", this);
    rename_ = MakeButton("RENAME...", "RENAME", "Gives the alternative another name", this);
    delete_ = MakeButton("DELETE...", "DELETE", "Deletes the alternative from the design", this);
    close_ = MakeButton("CLOSE", "CLOSE", "Back to the main menu (Esc)", this);
    close_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {use_, rename_, delete_, close_}) buttons->addWidget(button);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(use_, &QPushButton::clicked, this, &AlternativesWindow::Use);
    connect(rename_, &QPushButton::clicked, this, &AlternativesWindow::Rename);
    connect(delete_, &QPushButton::clicked, this, &AlternativesWindow::Delete);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(table_, &QTableWidget::itemSelectionChanged, this, &AlternativesWindow::SelectionChanged);
    connect(table_, &QTableWidget::itemDoubleClicked, this, &AlternativesWindow::Use);
    AddHelp(this, Q(std::string(kAlternativesHelpHeading)));

    Fill(program_.alternatives().empty() ? std::nullopt : std::optional<std::size_t>(0));
    table_->setFocus();
}

void AlternativesWindow::Fill(std::optional<std::size_t> select) {
    table_->setSortingEnabled(false);
    table_->clearContents();
    rows_ = CompareAlternatives(program_);
    table_->setRowCount(static_cast<int>(rows_.size()));
    const QColor under = palette().color(QPalette::Text).lightness() < 128 ? QColor(0xa0, 0x10, 0x10)
                                                                           : QColor(0xff, 0x8a, 0x80);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const bool short_ = !rows_[i].evaluated || rows_[i].line.verdict == kUnderdesign;
        for (int c = 0; c < kAlternativeColumns; ++c) {
            const auto column = AlternativeColumn(c);
            auto* item = new AlternativeItem(rows_, i, column);
            item->setTextAlignment((Numeric(column) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (column == AlternativeColumn::Courses) item->setToolTip(item->text());
            if (column == AlternativeColumn::Difference && short_) item->setForeground(under);
            table_->setItem(static_cast<int>(i), c, item);
        }
    }
    // Sorted again as the designer sorted it, if at all.
    table_->setSortingEnabled(true);
    table_->setVisible(!rows_.empty());
    empty_->setVisible(rows_.empty());
    if (select) {
        for (int r = 0; r < table_->rowCount(); ++r) {
            if (AlternativeItem::Index(*table_->item(r, 0)) == *select) table_->selectRow(r);
        }
    }
    SelectionChanged();
}

std::optional<std::size_t> AlternativesWindow::Selected() const {
    const QList<QTableWidgetItem*> items = table_->selectedItems();
    if (items.isEmpty()) return std::nullopt;
    return AlternativeItem::Index(*items.front());
}

void AlternativesWindow::SelectionChanged() {
    const bool any = Selected().has_value();
    for (QPushButton* button : {use_, rename_, delete_}) button->setEnabled(any);
}

void AlternativesWindow::Use() {
    const std::optional<std::size_t> index = Selected();
    if (!index || !ConfirmUse(program_, *index)) return;
    chosen_ = index;
    accept();
}

void AlternativesWindow::Rename() {
    const std::optional<std::size_t> index = Selected();
    if (index && RenameAlternative(program_, *index)) Fill(index);
}

void AlternativesWindow::Delete() {
    const std::optional<std::size_t> index = Selected();
    if (!index || !DeleteAlternative(program_, *index)) return;
    // The next alternative in the list kept takes its place, else the last.
    const std::size_t left = program_.alternatives().size();
    Fill(left == 0 ? std::nullopt : std::optional<std::size_t>(std::min(*index, left - 1)));
}

void AlternativesWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // As wide as the courses want where the screen has room.
    SizeAndCentreOverParent(this, kPreferredSize);
}

std::optional<std::size_t> QtAlternativesDisplay::ShowAlternatives(Program& program) {
    AlternativesWindow window(program, QApplication::activeWindow());
    Show(window);
    return window.chosen();
}

void QtAlternativesDisplay::Show(AlternativesWindow& window) { window.exec(); }

}  // namespace korvelle
