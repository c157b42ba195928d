#include "print_items.h"

#include <algorithm>
#include <vector>

#include "core/number_format.h"
#include "core/utf8.h"

namespace korvelle {

namespace {

// The character whose width is one column, and the text whose height is one
// line (every text has the same line height).
constexpr std::string_view kColumnProbe = "0";
constexpr std::string_view kLineProbe = "a";

// Positions this close, as a fraction of a column or a line, are the same.
constexpr double kSameness = 0.01;

// Far beyond any page: columns and runs of blanks are cut here.
constexpr std::int64_t kMostBlanks = 1 << 20;

}  // namespace

PrintItem PrintItem::Text(std::string text) { return PrintItem(Kind::kText, std::move(text), 0); }

PrintItem PrintItem::Number(std::int64_t value) { return PrintItem(Kind::kNumber, {}, value); }

PrintItem PrintItem::Column(int n) { return PrintItem(Kind::kColumn, {}, n); }

PrintItem PrintItem::Spaces(int n) { return PrintItem(Kind::kSpaces, {}, n); }

PrintItem PrintItem::EndOfLine() { return PrintItem(Kind::kEndOfLine, {}, 0); }

double ItemPrinter::ColumnWidth() const { return page_.TextWidth(kColumnProbe); }

double ItemPrinter::LineHeight() const { return page_.TextHeight(kLineProbe); }

void ItemPrinter::Print(std::initializer_list<PrintItem> items) {
    for (const PrintItem& item : items) Print(item);
}

void ItemPrinter::Print(const PrintItem& item) {
    switch (item.kind()) {
        case PrintItem::Kind::kText:
            PrintText(item.text());
            break;
        case PrintItem::Kind::kNumber: {
            std::string text = item.value() < 0 ? "" : " ";
            text += FormatNumber(item.value(), "0");
            text += " ";
            PrintText(text);
            break;
        }
        case PrintItem::Kind::kColumn:
            MoveToColumn(static_cast<int>(std::clamp<std::int64_t>(item.value(), 1, kMostBlanks)));
            break;
        case PrintItem::Kind::kSpaces:
            if (item.value() > 0) {
                auto count = static_cast<std::size_t>(std::min<std::int64_t>(item.value(), kMostBlanks));
                PrintText(std::string(count, ' '));
            }
            break;
        case PrintItem::Kind::kEndOfLine:
            NextLine();
            break;
    }
}

void ItemPrinter::MoveToColumn(int n) {
    double columnWidth = ColumnWidth();
    double target = (n - 1) * columnWidth;
    if (page_.X() > target + kSameness * columnWidth) page_.SetY(page_.Y() + LineHeight());
    page_.SetX(target);
}

void ItemPrinter::NextLine() {
    page_.SetX(0.0);
    page_.SetY(page_.Y() + LineHeight());
}

void ItemPrinter::MakeRoomForLine() {
    double lineHeight = LineHeight();
    double tolerance = kSameness * lineHeight;
    double y = page_.Y();
    if (y > tolerance && y + lineHeight > page_.PrintableHeight() + tolerance) {
        double x = page_.X();
        page_.NewPage();
        ++newPages_;
        page_.SetX(x);
        page_.SetY(0.0);
    }
}

namespace {

// Where the characters of a text end, found only as far as they are asked
// for: a long text on a narrow page is broken line by line without going over
// the rest of it for every line.
class CharacterEnds {
public:
    explicit CharacterEnds(std::string_view text) : text_(text) {}

    // The bytes of the first `count` characters (of all, when there are fewer).
    std::size_t BytesOf(std::size_t count) {
        while (ends_.size() < count && Known() < text_.size()) {
            ends_.push_back(Known() + Utf8CharacterSize(text_, Known()));
        }
        return count == 0 ? 0 : ends_[std::min(count, ends_.size()) - 1];
    }
    // Characters in the text up to `count`: fewer only when the text ends.
    std::size_t Counted(std::size_t count) {
        BytesOf(count);
        return std::min(count, ends_.size());
    }
    bool IsBlank(std::size_t index) {
        const std::size_t start = BytesOf(index);
        return BytesOf(index + 1) - start == 1 && text_[start] == ' ';
    }

private:
    std::size_t Known() const { return ends_.empty() ? 0 : ends_.back(); }

    std::string_view text_;
    std::vector<std::size_t> ends_;
};

}  // namespace

void ItemPrinter::PrintText(std::string_view text) {
    while (!text.empty()) {
        MakeRoomForLine();
        if (page_.X() < 0.0) page_.SetX(0.0);
        double tolerance = kSameness * ColumnWidth();
        double room = page_.PrintableWidth() - page_.X() + tolerance;
        // The longest run of whole characters that fits before the edge:
        // runs twice as long each time until one does not fit (or the whole
        // text fits), then halving between the two.
        CharacterEnds characters(text);
        std::size_t fits = 0;
        std::size_t tooMany = 0;
        for (std::size_t count = 1; tooMany == 0; count *= 2) {
            count = characters.Counted(count);
            if (page_.TextWidth(text.substr(0, characters.BytesOf(count))) > room) {
                tooMany = count;
            } else if (characters.BytesOf(count) == text.size()) {
                page_.PrintText(text);
                return;
            } else {
                fits = count;
            }
        }
        while (tooMany - fits > 1) {
            std::size_t middle = fits + (tooMany - fits) / 2;
            if (page_.TextWidth(text.substr(0, characters.BytesOf(middle))) <= room) {
                fits = middle;
            } else {
                tooMany = middle;
            }
        }
        if (fits == 0 && page_.X() <= tolerance) fits = 1;
        // Break after the last whole word that fits, so that a long entry
        // continues on the next line at a blank rather than inside a word.
        // (A lone character wider than the whole line is all there is.)
        std::size_t blank = fits;
        while (blank > 0 && characters.BytesOf(blank) < text.size() && !characters.IsBlank(blank - 1) &&
               !characters.IsBlank(blank)) {
            --blank;
        }
        if (blank > 0 && blank < fits) {
            fits = blank;
        } else if (blank == 0 && page_.X() > tolerance) {
            fits = 0;  // a word that does not fit the rest of the line starts the next one
        }
        if (fits > 0) {
            std::size_t bytes = characters.BytesOf(fits);
            page_.PrintText(text.substr(0, bytes));
            text.remove_prefix(bytes);
            while (!text.empty() && text.front() == ' ') text.remove_prefix(1);  // the blank at the break
        }
        NextLine();
    }
}

}  // namespace korvelle
