#include "standard_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace korvelle {

DescriptorOutput::DescriptorOutput(int descriptor, bool closed) : descriptor_(descriptor), closed_(closed) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorOutput::~DescriptorOutput() { Flush(); }

bool DescriptorOutput::WriteAll(const char* bytes, std::size_t count) {
    if (!failure_.empty()) return false;
    if (closed_ && count > 0) {
        failure_ = std::strerror(EBADF);
        return false;
    }
    while (count > 0) {
        const ssize_t written = ::write(descriptor_, bytes, count);
        if (written < 0) {
            if (errno == EINTR) continue;
            failure_ = std::strerror(errno);
            return false;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

bool DescriptorOutput::Flush() {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return WriteAll(buffer_.data(), pending);
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c) {
    if (!Flush()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize DescriptorOutput::xsputn(const char* text, std::streamsize count) {
    const auto room = static_cast<std::streamsize>(epptr() - pptr());
    if (count <= room) {
        std::memcpy(pptr(), text, static_cast<std::size_t>(count));
        pbump(static_cast<int>(count));
        return count;
    }
    if (!Flush() || !WriteAll(text, static_cast<std::size_t>(count))) return 0;
    return count;
}

int DescriptorOutput::sync() { return Flush() ? 0 : -1; }

bool StandardOutputWasOpen() {
    bool outputOpen = true;
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) != -1) continue;
        if (descriptor == STDOUT_FILENO) outputOpen = false;
        // The lowest free number is this one: /dev/null takes it.
        ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
    return outputOpen;
}

}  // namespace korvelle
