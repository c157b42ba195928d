#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "design_file.h"

namespace korvelle {

// A recovery copy: a design with unsaved changes, kept beside the running
// program so that a crash, a kill or a power cut loses at most the last
// seconds of typing.  Its text is a design file's with one more top-level
// member, "recovery", saying which file the design is and when it last
// changed; a design file reader reads it as the design it holds.
struct RecoveryCopy {
    DesignFile design;
    std::string file;                // the design's file; empty when it had none yet
    std::string changed;             // when the design last changed, ISO 8601 UTC
    std::optional<FileStamp> stamp;  // the design's file as last opened or saved
    bool readOnly = false;           // the design's file was open read-only

    friend bool operator==(const RecoveryCopy&, const RecoveryCopy&) = default;
};

std::string RecoveryCopyText(const RecoveryCopy& copy);

// Reads a copy; a refusal says why it cannot be used.
std::variant<RecoveryCopy, DesignFileRefusal> ReadRecoveryCopyText(std::string_view text);

}  // namespace korvelle
