#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace korvelle {

// A page renderer failed (no printer, the printer layer refused an operation,
// the job could not be started or continued).
class PageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The printer as the design forms see it: one document of one or more pages,
// printed in one face with a size, bold and underline, addressed in inches.
//
// Coordinates: after SetScaleInches(), (0, 0) is the top-left corner of the
// printable area, x grows to the right and y downwards, both in inches.  The
// current position (x, y) is the top-left corner of where the next text will
// be printed: y is the top of the text line, not its baseline.
//
// Failures: any operation may throw (a PageError, or any other exception of
// the renderer).  The forms do not catch it: the layout stops at once, prints
// nothing further, does not end the document, and the exception reaches the
// caller, which is expected to abort the print job.  A renderer that learns
// of a failure through a status (a false return, an inactive painter) must
// turn it into a throw at the operation that failed.
//
// Texts are UTF-8.
class Page {
public:
    virtual ~Page() = default;

    // The font face of everything printed from now on, by its name as the
    // printer lists it ("Courier New").
    virtual void SetFaceName(const std::string& face) = 0;

    // The font size in points (1/72 inch) of everything printed from now on;
    // may be fractional (10.5).
    virtual void SetSize(double points) = 0;

    // Bold and underline of everything printed from now on.  Both are off
    // when the document starts.
    virtual void SetBold(bool on) = 0;
    virtual void SetUnderline(bool on) = 0;

    // From now on every position, width, height and printable extent is in
    // inches.  Called once before anything is placed.
    virtual void SetScaleInches() = 0;

    // The current position, in inches from the top-left of the printable
    // area.  Setting it prints nothing.  Values outside the printable area
    // are accepted and kept as given.
    virtual double X() const = 0;
    virtual double Y() const = 0;
    virtual void SetX(double x) = 0;
    virtual void SetY(double y) = 0;

    // Width and height of the printable area of one page, in inches.
    virtual double PrintableWidth() const = 0;
    virtual double PrintableHeight() const = 0;

    // The advance width of the text in the current face, size and style:
    // how far PrintText(text) moves x.  An empty text is 0 wide.
    virtual double TextWidth(std::string_view text) const = 0;

    // The line height of the current face and size: the distance from the
    // top of one printed line to the top of the next.  The same for every
    // single-line text, whatever its characters ("a" and "Ag" alike).
    virtual double TextHeight(std::string_view text) const = 0;

    // Prints the text with its top-left at the current position in the
    // current font and moves x past it (x += TextWidth(text)); y is
    // unchanged.  The text holds no line breaks.  Nothing is clipped or
    // wrapped here: keeping inside the printable area is the caller's job.
    virtual void PrintText(std::string_view text) = 0;

    // Ends the current page and starts an empty one.  Face, size, bold and
    // underline carry over; the position is left for the caller to set.
    virtual void NewPage() = 0;

    // Ends the document and hands it to the printer.  Nothing is printed
    // afterwards.
    virtual void EndDocument() = 0;
};

}  // namespace korvelle
