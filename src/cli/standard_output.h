#pragma once

#include <array>
#include <streambuf>
#include <string>

namespace korvelle {

// korvelle-cli's standard output: a stream buffer that writes to a file
// descriptor and remembers why a write failed (a full disk, a closed
// descriptor, a broken pipe with SIGPIPE ignored), so that the program can say
// so instead of ending as if all was written.
class DescriptorOutput : public std::streambuf {
public:
    // `closed`: the descriptor was not open when the program started (it has
    // been put on /dev/null so that no file the program opens takes its
    // number); every write fails as a write to a closed descriptor does.
    DescriptorOutput(int descriptor, bool closed);
    ~DescriptorOutput() override;

    // The system's reason of the first write that failed; empty when none did.
    const std::string& failure() const { return failure_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    bool Flush();
    bool WriteAll(const char* bytes, std::size_t count);

    int descriptor_;
    bool closed_;
    std::string failure_;
    std::array<char, 1 << 16> buffer_{};
};

// Makes sure the standard descriptors 0, 1 and 2 are open, each on /dev/null
// when it was closed; true when standard output was open.
bool StandardOutputWasOpen();

}  // namespace korvelle
