#include "data_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace korvelle {

std::optional<std::string> ReadDataFile(const std::string& path, std::string& why) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        why = std::strerror(errno);
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        why = "the file cannot be read";
        return std::nullopt;
    }
    return text.str();
}

}  // namespace korvelle
