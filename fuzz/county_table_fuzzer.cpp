// The county table read from its text form: any bytes must give either a
// table whose every entry is well formed, or no table and a reason; a table
// read once reads the same when written out again, and its shape check runs
// on whatever was read.

#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "ui/county_table.h"
#include "ui/county_table_shape.h"

namespace {

using namespace korvelle;
using korvelle::fuzz::Check;
using korvelle::fuzz::Shown;

bool OneDecimal(const std::string& v) {
    return v.size() == 3 && v[0] >= '0' && v[0] <= '9' && v[1] == '.' && v[2] >= '0' && v[2] <= '9';
}

bool Trimmed(const std::string& text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return !text.empty() && !blank(text.front()) && !blank(text.back());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto table = ParseCountyTable(text, &error);
    if (!table) {
        Check(!error.empty(), "an unreadable table says why", Shown(text.substr(0, 200)));
        return 0;
    }
    // (A first line of its own, so that a name read after a byte order mark
    // is not taken for one.)
    std::string written = "# written out again\n";
    for (const CountyEntry& entry : *table) {
        const std::string where = Shown(entry.name) + " " + Shown(entry.soilSupport) + " " + Shown(entry.regionalFactor);
        Check(Trimmed(entry.name), "a county name is not empty and has no blanks around it", where);
        Check(entry.name.find(',') == std::string::npos && entry.name.find('\n') == std::string::npos,
              "a county name holds no field or line separator", where);
        Check(OneDecimal(entry.soilSupport) && OneDecimal(entry.regionalFactor),
              "both values are one digit, a point and one digit", where);
        written += entry.name + "," + entry.soilSupport + "," + entry.regionalFactor + "\n";
    }
    std::string again;
    const auto reread = ParseCountyTable(written, &again);
    Check(reread.has_value() && reread->size() == table->size(), "a table written out reads again", again);
    for (std::size_t i = 0; i < table->size(); ++i) {
        const CountyEntry& a = (*table)[i];
        const CountyEntry& b = (*reread)[i];
        Check(a.name == b.name && a.soilSupport == b.soilSupport && a.regionalFactor == b.regionalFactor,
              "a table written out reads as itself", Shown(a.name));
    }
    for (const std::string& fault : CheckCountyTableShape(*table)) {
        Check(!fault.empty(), "every shape fault says something");
    }
    return 0;
}
