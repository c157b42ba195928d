#include "design_file.h"
#include "design_file_members.h"
#include "core/utf8.h"

namespace korvelle {

namespace {

constexpr std::string_view kBlankName = "design";
constexpr std::string_view kForbidden = "/\\:*?\"<>|";

bool Forbidden(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F || kForbidden.find(c) != std::string_view::npos;
}

}  // namespace

std::string DesignFileName(std::string_view projectNumber) {
    const std::size_t first = projectNumber.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::string(kBlankName) + std::string(kDesignFileExtension);
    std::string stem(projectNumber.substr(first, projectNumber.find_last_not_of(" \t") + 1 - first));
    for (char& c : stem) {
        if (Forbidden(c)) c = '-';
    }
    // A leading dot would hide the file.
    if (stem.front() == '.') stem.front() = '-';
    const std::size_t room = kMaxDesignFileNameBytes - kDesignFileExtension.size();
    return std::string(Utf8Prefix(stem, room)) + std::string(kDesignFileExtension);
}

}  // namespace korvelle
