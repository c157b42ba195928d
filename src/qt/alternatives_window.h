#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "ui/alternatives.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace korvelle {

// The alternatives kept, one row each, computed on the design as it stands:
// name, kind, courses, total thickness, proposed SN, difference and verdict,
// cost.  A click on a heading sorts by that column (again: the other way).
// USE (or a double click on a row) puts the alternative on its entry screen,
// RENAME and DELETE change the list; CLOSE or Escape closes the window, F1
// opens the guide at its section.  Modal over the main menu.
class AlternativesWindow : public QDialog {
    Q_OBJECT
public:
    explicit AlternativesWindow(Program& program, QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }
    QLabel* requiredSn() const { return requiredSn_; }
    QLabel* empty() const { return empty_; }
    QPushButton* useButton() const { return use_; }
    QPushButton* renameButton() const { return rename_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* closeButton() const { return close_; }

    // The alternative USE chose, once the window is closed.
    std::optional<std::size_t> chosen() const { return chosen_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The rows computed again, sorted as the designer sorted them; the
    // alternative `select` selected.
    void Fill(std::optional<std::size_t> select);
    // The alternative of the row selected.
    std::optional<std::size_t> Selected() const;
    void SelectionChanged();
    void Use();
    void Rename();
    void Delete();

    Program& program_;
    std::vector<AlternativeRow> rows_;  // what the cells' order is decided by
    std::optional<std::size_t> chosen_;
    QLabel* requiredSn_;
    QLabel* empty_;
    QTableWidget* table_;
    QPushButton* use_;
    QPushButton* rename_;
    QPushButton* delete_;
    QPushButton* close_;
};

// The desktop's alternatives: the window, modal over the window that is
// active, until the designer closes it.
class QtAlternativesDisplay : public AlternativesDisplay {
public:
    std::optional<std::size_t> ShowAlternatives(Program& program) override;

protected:
    // Shows the window until it is closed.
    virtual void Show(AlternativesWindow& window);
};

}  // namespace korvelle
