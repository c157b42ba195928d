#pragma once

// Designs of every shape for the design-file tests: texts with odd but valid
// UTF-8, blanks, quotes and control characters; structures present or not;
// accepted sheets of either kind.

#include <random>
#include <string>
#include <string_view>

#include "file/design_file.h"
#include "file/design_file_members.h"

namespace korvelle::testing {

class RandomDesigns {
public:
    explicit RandomDesigns(unsigned seed) : random_(seed) {}

    DesignFile Next() {
        DesignFile file;
        for (std::string& text : file.project) text = Text();
        for (std::string& text : file.designData) text = Text();
        for (std::string& text : file.designer) text = Text();
        file.office = Below(design_file::kOffices);
        file.ldfWorksheetEntry = Text();
        file.county = Text();
        file.countySoilSupport = Text();
        file.countyRegionalFactor = Text();
        if (Chance(2)) file.fullDepth = Courses<kFullDepthCourses>(design_file::kFullDepthLists);
        if (Chance(2)) file.overlay = Courses<kOverlayCourses + kExistingCourses>(design_file::kOverlayLists);
        file.stage = design_file::kStageNames[Below(design_file::kStageNames.size())].value;
        if (Chance(2)) {
            const auto& kind = design_file::kStructureNames[Below(design_file::kStructureNames.size())];
            AcceptedStructure accepted{kind.value, Chance(2), Text(), {}};
            accepted.sheet.rows.resize(kind.rows);
            for (ResultRow& row : accepted.sheet.rows) {
                for (std::string& cell : row) cell = Text();
            }
            for (const auto& member : design_file::kSheetTexts) accepted.sheet.*member.text = Text();
            // A sheet is accepted from the courses on its entry screen.
            if (kind.value == StructureKind::FullDepth && !file.fullDepth) {
                file.fullDepth = Courses<kFullDepthCourses>(design_file::kFullDepthLists);
            }
            if (kind.value == StructureKind::Overlay && !file.overlay) {
                file.overlay = Courses<kOverlayCourses + kExistingCourses>(design_file::kOverlayLists);
            }
            file.accepted = accepted;
        }
        file.program = Text();
        file.saved = Text();
        return file;
    }

private:
    // Up to three pieces, so that empty texts and pieces side by side occur.
    std::string Text() {
        static constexpr std::string_view kPieces[] = {
            "",       " ",      "1,000",      "0.40", "2.5",    "STP-0021-02(037)", "\xC3\x89", "\xCE\xA9",
            "\xE6\x97\xA5\xE6\x9C\xAC", "\xF0\x9F\x98\x80", "\"", "\\", "\n", "\t", std::string_view("\0", 1),
            "\x01", "\xE2\x80\xA8", "/", "null", "{}", " 12 ", "[NO COURSE]"};
        std::string text;
        for (int n = Below(4); n > 0; --n) text += kPieces[Below(std::size(kPieces))];
        return text;
    }

    template <std::size_t Rows, std::size_t Lists>
    std::array<CourseRow, Rows> Courses(const std::array<design_file::CourseList, Lists>& lists) {
        std::array<CourseRow, Rows> rows;
        for (const auto& list : lists) {
            for (std::size_t r = 0; r < list.rows; ++r) {
                CourseRow& row = rows[list.firstRow + r];
                row.thickness = Text();
                if (Chance(5)) continue;  // nothing chosen
                const MaterialSlice& slice = r == 0 ? list.topList : list.lowerList;
                row.position = Below(static_cast<std::size_t>(slice.size()));
                row.material = design_file::MaterialNames(list.catalogue)[slice.MaterialAt(row.position) - 1];
            }
        }
        return rows;
    }

    int Below(std::size_t n) { return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random_)); }
    bool Chance(int oneIn) { return Below(static_cast<std::size_t>(oneIn)) == 0; }

    std::mt19937 random_;
};

}  // namespace korvelle::testing
