#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "page.h"

namespace korvelle {

// A page renderer that lays characters on a grid instead of paper, so that a
// whole printed form can be read back line by line.  Every face is treated
// as fixed-pitch:
// - a character is size/120 inch wide (12 points: 0.1 inch, 10 to the inch);
// - a line is size/72 inch high (12 points: 1/6 inch, 6 lines to the inch);
// - a character printed at (x, y) lands in row floor(y / rowHeight + 1e-6)
//   and column floor(x / characterWidth + 1e-6) + 1 of its page, and the
//   characters of one text in the columns after it.  rowHeight is fixed for
//   the page (1/6 inch unless given), so lines of another size and fractions
//   of a line move the rows by whole rows only as far as floor() says: a
//   half-line gap after a line shows as an empty row every second time.
// Rows count from 0 (the index into Lines()); columns from 1, as the forms
// count them.  Where characters are printed over each other the last one
// shows, but every printed character is kept in Glyphs().
//
// Misuse that a real printer would punish is reported by std::logic_error:
// printing before SetScaleInches() and any operation after EndDocument().
class CharGridPage : public Page {
public:
    struct Glyph {
        int page = 0;  // counted from 0
        int row = 0;
        int column = 0;
        std::string character;  // one UTF-8 character
        bool bold = false;
        bool underline = false;
        double size = 0.0;
        std::string face;
        double x = 0.0;  // where the character itself starts
        double y = 0.0;
    };

    // The Letter page less a quarter-inch margin all round by default.
    explicit CharGridPage(double printableWidth = 8.0, double printableHeight = 10.5,
                          double rowHeight = 1.0 / 6.0);

    void SetFaceName(const std::string& face) override;
    void SetSize(double points) override;
    void SetBold(bool on) override;
    void SetUnderline(bool on) override;
    void SetScaleInches() override;
    double X() const override { return x_; }
    double Y() const override { return y_; }
    void SetX(double x) override;
    void SetY(double y) override;
    double PrintableWidth() const override { return printableWidth_; }
    double PrintableHeight() const override { return printableHeight_; }
    double TextWidth(std::string_view text) const override;
    double TextHeight(std::string_view text) const override;
    void PrintText(std::string_view text) override;
    void NewPage() override;
    void EndDocument() override;

    // What was printed.
    int PageCount() const { return pageCount_; }
    std::vector<std::string> Lines(int page = 0) const;  // trailing blanks dropped
    const std::vector<Glyph>& Glyphs() const { return glyphs_; }
    // The character showing in a cell (the last printed there), or nothing.
    const Glyph* At(int page, int row, int column) const;
    bool IsBold(int page, int row, int column) const;
    bool IsUnderlined(int page, int row, int column) const;
    // Whether every character lies wholly inside the printable area.
    bool AllInside() const;

    // The page's own state.
    const std::string& Face() const { return face_; }
    double Size() const { return size_; }
    bool Bold() const { return bold_; }
    bool Underline() const { return underline_; }
    bool ScaleIsInches() const { return scaleInches_; }
    bool Ended() const { return ended_; }

private:
    double CharacterWidth(double size) const { return size / 120.0; }
    void CheckOpen() const;

    double printableWidth_;
    double printableHeight_;
    double rowHeight_;
    std::string face_;
    double size_ = 12.0;
    bool bold_ = false;
    bool underline_ = false;
    bool scaleInches_ = false;
    bool ended_ = false;
    double x_ = 0.0;
    double y_ = 0.0;
    int pageCount_ = 1;
    std::vector<Glyph> glyphs_;
};

}  // namespace korvelle
