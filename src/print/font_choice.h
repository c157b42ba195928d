#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvelle {

// The face the font dialog opens on, given the printer's faces in the
// printer's own order: the last of them that is exactly (case included)
// "Courier", "New Courier" or "Courier New".  Nothing when the printer has
// none of these; the dialog then keeps the face it had (the previous choice,
// or the system's stand-in for "Courier" before the first print).
std::optional<std::string> PreselectedFace(const std::vector<std::string>& printerFaces);

}  // namespace korvelle
