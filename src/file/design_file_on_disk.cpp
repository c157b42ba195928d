#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "design_file.h"

namespace korvelle {

namespace {

DesignFileRefusal Refused(const std::string& path, std::string reason) { return {path, std::move(reason)}; }

std::string SystemReason(int error) { return std::strerror(error); }

}  // namespace

DesignFileReading ReadDesignFile(const std::string& path, std::string* bytes) {
    namespace fs = std::filesystem;
    // Only a regular file: opening a pipe or device would wait or read
    // without end.
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) return Refused(path, "cannot be read: " + SystemReason(ENOENT));
    if (error) return Refused(path, "cannot be read: " + error.message());
    if (status.type() == fs::file_type::directory) return Refused(path, "is a folder, not a design file");
    if (status.type() != fs::file_type::regular) return Refused(path, "is not a regular file");

    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!stream) return Refused(path, "cannot be read: " + SystemReason(errno));
    // At most one byte beyond the limit: however large the file, no more is
    // read than it takes to know that the text is too large for a design.
    std::string text(kMaxDesignFileBytes + 1, '\0');
    const std::size_t read = std::fread(text.data(), 1, text.size(), stream.get());
    if (std::ferror(stream.get())) return Refused(path, "cannot be read: " + SystemReason(errno));
    text.resize(read);

    DesignFileReading reading = ReadDesignFileText(text);
    if (bytes) *bytes = std::move(text);
    if (auto* refusal = std::get_if<DesignFileRefusal>(&reading)) refusal->file = path;
    return reading;
}

}  // namespace korvelle
