#pragma once

#include <optional>
#include <string>

#include "commands.h"

namespace korvelle {

// Writes the form as PRINT writes it to a file: the face the print screen
// preselects unless one is asked for, Letter paper, portrait, the form's
// margins, the whole file or nothing.  Needs a QGuiApplication.  Why the
// file was not written, or nothing.
std::optional<std::string> WritePdfForm(const PdfRequest& request);

}  // namespace korvelle
