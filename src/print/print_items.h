#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "page.h"

namespace korvelle {

// One step of a printed line.  Columns count from 1 at x = 0; a column is as
// wide as one character of the current font.
class PrintItem {
public:
    enum class Kind { kText, kNumber, kColumn, kSpaces, kEndOfLine };

    // The characters, printed at the current position.
    static PrintItem Text(std::string text);
    // A whole number printed bare: a blank before it unless it is negative
    // (then its minus sign), and one blank after it: " 20 ", "-3 ".
    static PrintItem Number(std::int64_t value);
    // To column n of the current line, or of the next line when the current
    // position is already past column n.  n below 1 counts as 1.
    static PrintItem Column(int n);
    // n blanks (none for n below 1).
    static PrintItem Spaces(int n);
    // To column 1 of the next line.
    static PrintItem EndOfLine();

    Kind kind() const { return kind_; }
    const std::string& text() const { return text_; }
    std::int64_t value() const { return value_; }

private:
    PrintItem(Kind kind, std::string text, std::int64_t value)
        : kind_(kind), text_(std::move(text)), value_(value) {}

    Kind kind_;
    std::string text_;
    std::int64_t value_;
};

// Prints lists of print items on a page, keeping every character inside the
// printable area:
// - a text that would pass the right edge prints the words that fit and
//   continues at column 1 of the next line, dropping the blank at the break;
//   a word that does not fit the rest of a line starts the next one, and a
//   word longer than a whole line is broken at the edge (a single character
//   wider than the whole line is printed alone on its line);
// - before a text is printed on a line that would pass the bottom edge, a new
//   page is started and the line moves to its top (y = 0, x kept);
// - a text never starts left of the printable area (x below 0 counts as 0).
// A line is one line height of the current font (Page::TextHeight).
// Positions within a hundredth of a column (or of a line) of each other count
// as equal, so that a text ending exactly in column n-1 leaves the position
// at column n, not past it.
class ItemPrinter {
public:
    explicit ItemPrinter(Page& page) : page_(page) {}

    void Print(std::initializer_list<PrintItem> items);
    void Print(const PrintItem& item);

    // Starts a new page now if a line printed at the current position would
    // pass the bottom edge.  For a caller that must know the position of a
    // line before printing it.
    void MakeRoomForLine();

    // How many new pages this printer has started.
    int NewPagesStarted() const { return newPages_; }

    // Width of one column and height of one line in the current font.
    double ColumnWidth() const;
    double LineHeight() const;

private:
    void PrintText(std::string_view text);
    void MoveToColumn(int n);
    void NextLine();

    Page& page_;
    int newPages_ = 0;
};

}  // namespace korvelle
