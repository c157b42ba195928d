#pragma once

// What the design-file tests share: the example files and their texts.

#include <fstream>
#include <sstream>
#include <string>
#include <variant>

#include <gtest/gtest.h>

#include "file/design_file.h"

namespace korvelle::testing {

inline std::string SourceFile(const std::string& relative) {
    return std::string(KORVELLE_SOURCE_DIR) + "/" + relative;
}

inline std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline const char* const kExampleFiles[] = {"data/examples/full-depth.korvelle", "data/examples/overlay.korvelle"};

inline std::string ExampleText(const char* file) { return FileText(SourceFile(file)); }

// The refusal's message, or "(read)" when the text was read.
inline std::string RefusalOf(const DesignFileReading& reading) {
    const auto* refusal = std::get_if<DesignFileRefusal>(&reading);
    return refusal ? refusal->Message() : "(read)";
}

}  // namespace korvelle::testing
