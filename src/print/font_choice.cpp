#include "font_choice.h"

#include <array>
#include <string_view>

namespace korvelle {

std::optional<std::string> PreselectedFace(const std::vector<std::string>& printerFaces) {
    static constexpr std::array<std::string_view, 3> kCourierFaces = {"Courier", "New Courier", "Courier New"};
    std::optional<std::string> chosen;
    for (const std::string& face : printerFaces) {
        for (std::string_view courier : kCourierFaces) {
            if (face == courier) chosen = face;
        }
    }
    return chosen;
}

}  // namespace korvelle
