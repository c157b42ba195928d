// Both design forms laid out on the character grid from random record values
// (long texts, UTF-8 and broken UTF-8, extreme numbers, any course counts and
// office) and random result-sheet cells, at random sizes on pages of random
// width: nothing may pass an edge of the page and the document must end.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "core/materials.h"
#include "fuzz_support.h"
#include "print/char_grid_page.h"
#include "print/design_form.h"
#include "core/utf8.h"

namespace {

using namespace korvelle;
using korvelle::fuzz::Check;

std::string PickText(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 7)) {
        case 0: return "";
        case 1: return std::string(in.ConsumeIntegralInRange<std::size_t>(1, 400), 'W');
        case 2: {  // words of random length
            std::string text;
            for (int n = in.ConsumeIntegralInRange<int>(1, 40); n > 0; --n) {
                text += std::string(in.ConsumeIntegralInRange<std::size_t>(1, 90), 'x') + " ";
            }
            return text;
        }
        case 3: return "\xc3\xa9tude \xe2\x80\x94 \xf0\x9f\x9b\xa3 Stra\xc3\x9f" "e";  // UTF-8 of 1, 2, 3 and 4 bytes
        default: return in.ConsumeRandomLengthString(300);  // any bytes, broken UTF-8 included
    }
}

float PickFloat(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 5)) {
        case 0: return std::numeric_limits<float>::max();
        case 1: return std::numeric_limits<float>::lowest();
        case 2: return std::numeric_limits<float>::infinity();
        case 3: return std::numeric_limits<float>::quiet_NaN();
        default: return in.ConsumeFloatingPoint<float>();
    }
}

template <typename Int>
Int PickInt(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return in.ConsumeBool() ? std::numeric_limits<Int>::min() : std::numeric_limits<Int>::max();
    return in.ConsumeIntegral<Int>();
}

double PickSize(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 5)) {
        case 0: return 12.0;
        case 1: return in.PickValueInArray({0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity(), 1e-300});
        case 2: return in.ConsumeFloatingPointInRange<double>(100.0, 2000.0);
        default: return in.ConsumeFloatingPointInRange<double>(0.5, 100.0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    DesignRecord record;
    InitMaterialLists(record);
    record.projectNumber = PickText(in);
    record.piNumber = PickText(in);
    record.countyName = PickText(in);
    record.projectDescription = PickText(in);
    record.designerName = PickText(in);
    record.designDate = PickText(in);
    record.designComments = PickText(in);
    record.initialYear = PickInt<std::int16_t>(in);
    record.finalYear = PickInt<std::int16_t>(in);
    record.initialAadt = PickInt<std::int32_t>(in);
    record.finalAadt = PickInt<std::int32_t>(in);
    record.meanAadt = PickInt<std::int32_t>(in);
    record.dailyLoads = PickInt<std::int32_t>(in);
    record.designLoading = PickInt<std::int32_t>(in);
    record.truckPercent = PickFloat(in);
    record.ldf = PickFloat(in);
    record.esal18 = PickFloat(in);
    record.terminalServiceability = PickFloat(in);
    record.soilSupport = PickFloat(in);
    record.regionalFactor = PickFloat(in);
    record.officeIndex = in.ConsumeIntegralInRange<std::int16_t>(-2, 6);
    record.fullDepthCourseCount = in.ConsumeIntegralInRange<std::int16_t>(-1, 7);
    record.overlayCourseCount = in.ConsumeIntegralInRange<std::int16_t>(-1, 5);
    record.existingCourseCount = in.ConsumeIntegralInRange<std::int16_t>(-1, 5);

    ResultSheet sheet;
    sheet.rows.resize(in.ConsumeIntegralInRange<std::size_t>(4, 7));
    for (ResultRow& row : sheet.rows) {
        for (std::string& cell : row) {
            cell = in.ConsumeIntegralInRange<int>(0, 3) == 0 ? PickText(in) : in.ConsumeRandomLengthString(8);
        }
    }
    sheet.requiredSn = PickText(in);
    sheet.proposedSn = PickText(in);
    sheet.difference = PickText(in);
    sheet.verdict = PickText(in);

    const bool overlay = in.ConsumeBool();
    const double pointSize = PickSize(in);
    const double width = in.ConsumeBool() ? 8.0 : in.ConsumeFloatingPointInRange<double>(0.05, 20.0);
    const double height = in.ConsumeBool() ? 10.5 : in.ConsumeFloatingPointInRange<double>(0.05, 20.0);
    const std::string face = in.ConsumeRandomLengthString(40);

    CharGridPage page(width, height);
    const bool badSize = !std::isfinite(pointSize) || pointSize <= 0.0;
    const bool badSheet = sheet.rows.size() < (overlay ? 6u : 5u);
    try {
        if (overlay) {
            PrintOverlayForm(page, record, sheet, face, pointSize);
        } else {
            PrintFullDepthForm(page, record, sheet, face, pointSize);
        }
    } catch (const std::invalid_argument&) {
        Check(badSize || badSheet, "only a bad size or a short sheet is refused");
        Check(page.Glyphs().empty() && !page.Ended(), "a refused form prints nothing");
        return 0;
    }
    Check(!badSize && !badSheet, "a bad size or a short sheet is refused");
    Check(page.Ended(), "the document is ended");
    // A character wider or a line taller than the whole page cannot help
    // passing its edge; every other character stays inside.
    const double titleSize = pointSize + 4.0;
    if (titleSize / 120.0 <= width && titleSize / 72.0 <= height) {
        // Positions within a hundredth of a column or a line count as equal
        // in the layout, so a character may end that little past the edge.
        for (const CharGridPage::Glyph& g : page.Glyphs()) {
            const double w = g.size / 120.0, h = g.size / 72.0;
            Check(g.x >= -0.01 * w && g.y >= -0.01 * h && g.x + w <= width + 0.01 * w && g.y + h <= height + 0.01 * h,
                  "nothing passes an edge of the page", g.character);
        }
    }
    // The title comes first, on one line, when a line can hold it.
    const std::string_view title = "FLEXIBLE PAVEMENT DESIGN ANALYSIS";
    if (width >= title.size() * titleSize / 120.0 && page.Glyphs().size() >= title.size()) {
        std::string printed;
        for (std::size_t i = 0; i < title.size(); ++i) {
            const auto& glyph = page.Glyphs()[i];
            Check(glyph.row == page.Glyphs()[0].row && glyph.page == 0, "the title stands on one line");
            printed += glyph.character;
        }
        Check(printed == title, "the form starts with its title", printed);
    }
    return 0;
}
