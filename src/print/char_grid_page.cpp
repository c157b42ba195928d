#include "char_grid_page.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/utf8.h"

namespace korvelle {

namespace {

constexpr double kCellSlack = 1e-6;  // of a row or a column
constexpr double kEdgeSlack = 1e-9;  // inches

// The row or column a position (in rows or columns) falls in.  Positions far
// beyond any page, as a vanishing font size gives, are held at a billion
// instead of overflowing the cell number.
int CellOf(double position) {
    constexpr double kFarthest = 1e9;
    const double cell = std::floor(position + kCellSlack);
    if (std::isnan(cell)) return 0;
    return static_cast<int>(std::clamp(cell, -kFarthest, kFarthest));
}

}  // namespace

CharGridPage::CharGridPage(double printableWidth, double printableHeight, double rowHeight)
    : printableWidth_(printableWidth), printableHeight_(printableHeight), rowHeight_(rowHeight) {}

void CharGridPage::CheckOpen() const {
    if (ended_) throw std::logic_error("page used after the end of the document");
}

void CharGridPage::SetFaceName(const std::string& face) {
    CheckOpen();
    face_ = face;
}

void CharGridPage::SetSize(double points) {
    CheckOpen();
    size_ = points;
}

void CharGridPage::SetBold(bool on) {
    CheckOpen();
    bold_ = on;
}

void CharGridPage::SetUnderline(bool on) {
    CheckOpen();
    underline_ = on;
}

void CharGridPage::SetScaleInches() {
    CheckOpen();
    scaleInches_ = true;
}

void CharGridPage::SetX(double x) {
    CheckOpen();
    x_ = x;
}

void CharGridPage::SetY(double y) {
    CheckOpen();
    y_ = y;
}

double CharGridPage::TextWidth(std::string_view text) const {
    return static_cast<double>(Utf8Length(text)) * CharacterWidth(size_);
}

double CharGridPage::TextHeight(std::string_view) const { return size_ / 72.0; }

void CharGridPage::PrintText(std::string_view text) {
    CheckOpen();
    if (!scaleInches_) throw std::logic_error("printed before the scale was set to inches");
    double width = CharacterWidth(size_);
    int row = CellOf(y_ / rowHeight_);
    int column = CellOf(x_ / width) + 1;
    for (std::string_view character : Utf8Characters(text)) {
        glyphs_.push_back(Glyph{pageCount_ - 1, row, column, std::string(character), bold_, underline_,
                                size_, face_, x_, y_});
        ++column;
        x_ += width;
    }
}

void CharGridPage::NewPage() {
    CheckOpen();
    ++pageCount_;
}

void CharGridPage::EndDocument() {
    CheckOpen();
    ended_ = true;
}

std::vector<std::string> CharGridPage::Lines(int page) const {
    std::vector<std::vector<const Glyph*>> cells;
    for (const Glyph& glyph : glyphs_) {
        if (glyph.page != page || glyph.row < 0 || glyph.column < 1) continue;
        if (static_cast<std::size_t>(glyph.row) >= cells.size()) cells.resize(glyph.row + 1);
        auto& line = cells[glyph.row];
        if (static_cast<std::size_t>(glyph.column) > line.size()) line.resize(glyph.column, nullptr);
        line[glyph.column - 1] = &glyph;
    }
    std::vector<std::string> lines;
    for (const auto& line : cells) {
        std::string text;
        for (const Glyph* glyph : line) text += glyph ? glyph->character : " ";
        text.erase(text.find_last_not_of(' ') + 1);
        lines.push_back(std::move(text));
    }
    return lines;
}

const CharGridPage::Glyph* CharGridPage::At(int page, int row, int column) const {
    const Glyph* shown = nullptr;
    for (const Glyph& glyph : glyphs_) {
        if (glyph.page == page && glyph.row == row && glyph.column == column) shown = &glyph;
    }
    return shown;
}

bool CharGridPage::IsBold(int page, int row, int column) const {
    const Glyph* glyph = At(page, row, column);
    return glyph && glyph->bold;
}

bool CharGridPage::IsUnderlined(int page, int row, int column) const {
    const Glyph* glyph = At(page, row, column);
    return glyph && glyph->underline;
}

bool CharGridPage::AllInside() const {
    for (const Glyph& glyph : glyphs_) {
        if (glyph.x < -kEdgeSlack || glyph.y < -kEdgeSlack) return false;
        if (glyph.x + CharacterWidth(glyph.size) > printableWidth_ + kEdgeSlack) return false;
        if (glyph.y + glyph.size / 72.0 > printableHeight_ + kEdgeSlack) return false;
    }
    return true;
}

}  // namespace korvelle
