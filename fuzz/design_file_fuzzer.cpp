// A design file's text: any bytes give either a design or one line saying why
// not.  A design read is a fixed point: written out, it reads back as the same
// design and writes the same text again; every material it holds is one of
// its row's list at its position.  Reading keeps no state: the same text
// reads the same way twice.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <variant>

#include "file/design_file.h"
#include "file/design_file_members.h"
#include "fuzz_support.h"
#include "valid_utf8.h"

namespace {

using namespace korvelle;
using korvelle::fuzz::Check;
using korvelle::fuzz::Shown;
using korvelle::fuzz::ValidUtf8;

template <std::size_t Rows, std::size_t Lists>
void CheckMaterials(const std::optional<std::array<CourseRow, Rows>>& rows,
                    const std::array<design_file::CourseList, Lists>& lists) {
    if (!rows) return;
    for (const auto& list : lists) {
        for (std::size_t r = 0; r < list.rows; ++r) {
            const CourseRow& row = (*rows)[list.firstRow + r];
            const auto listed = row.material.empty() ? std::optional<int>(-1) : design_file::ListPosition(list, r, row.material);
            Check(listed == row.position, "a course holds a material of its list at its position", Shown(row.material));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DesignFileReading reading = ReadDesignFileText(text);
    const DesignFileReading again = ReadDesignFileText(text);
    Check(reading == again, "a text reads the same way twice", Shown(text.substr(0, 200)));

    if (const auto* refusal = std::get_if<DesignFileRefusal>(&reading)) {
        const std::string message = refusal->Message();
        Check(!message.empty(), "a refused text says why", Shown(text.substr(0, 200)));
        Check(message.find('\n') == std::string::npos && message.find('\r') == std::string::npos,
              "a refusal is one line", Shown(message));
        Check(ValidUtf8(message), "a refusal is valid UTF-8", Shown(message));
        return 0;
    }
    const DesignFile& file = std::get<DesignFile>(reading);
    CheckMaterials(file.fullDepth, design_file::kFullDepthLists);
    CheckMaterials(file.overlay, design_file::kOverlayLists);

    const std::string written = DesignFileText(file);
    const DesignFileReading reread = ReadDesignFileText(written);
    const auto* refusal = std::get_if<DesignFileRefusal>(&reread);
    Check(!refusal, "a design read reads again when written out", refusal ? refusal->Message() : "");
    Check(std::get<DesignFile>(reread) == file, "a design written out reads as the same design", Shown(written));
    Check(DesignFileText(std::get<DesignFile>(reread)) == written, "a design read again writes the same text",
          Shown(written));
    return 0;
}
