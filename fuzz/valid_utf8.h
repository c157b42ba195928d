#pragma once

// Whether a text is valid UTF-8, by the JSON library's judgement rather than
// the program's own, for targets that check what the program writes.

#include <nlohmann/json.hpp>
#include <string>

namespace korvelle::fuzz {

inline bool ValidUtf8(const std::string& text) {
    try {
        (void)nlohmann::json(text).dump();
        return true;
    } catch (const nlohmann::json::type_error&) {
        return false;
    }
}

}  // namespace korvelle::fuzz
