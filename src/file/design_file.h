#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/structure_evaluation.h"

namespace korvelle {

// A design file holds one design as the designer typed and chose it: every
// screen text exactly as typed (never turned into a number), the choices, the
// worksheets' kept state and the structure being laid out; and, for the
// record, the result sheet of a structure the designer accepted.  It is UTF-8
// JSON; docs/design-file.md describes it member by member.

inline constexpr std::string_view kDesignFileExtension = ".korvelle";
inline constexpr std::string_view kDesignFileFormat = "korvelle-design";
inline constexpr int kDesignFileVersion = 1;
inline constexpr std::size_t kMaxDesignFileBytes = std::size_t{1} << 20;
inline constexpr std::string_view kTooLargeReason = "larger than 1 MiB";

// The typed fields of the three data screens, in their Enter order.
inline constexpr std::size_t kProjectFields = 9;
inline constexpr std::size_t kDesignDataFields = 7;
inline constexpr std::size_t kDesignerFields = 3;
using ProjectTexts = std::array<std::string, kProjectFields>;
using DesignDataTexts = std::array<std::string, kDesignDataFields>;
using DesignerTexts = std::array<std::string, kDesignerFields>;

// One course row of a structure entry screen.
struct CourseRow {
    std::string material;   // the name as the row's list shows it; empty: nothing chosen
    int position = -1;      // in the row's list; -1: nothing chosen
    std::string thickness;  // inches, as typed

    friend bool operator==(const CourseRow&, const CourseRow&) = default;
};

enum class StructureKind { FullDepth, Overlay };

// The screen the designer was on when the design was saved.  Worksheets count
// as the design data screen; a result or print screen as its entry screen, or
// the main menu when saved from a print screen after ACCEPT.
enum class DesignStage { ProjectInformation, DesignData, DesignerInformation, MainMenu, FullDepthEntry, OverlayEntry };

inline constexpr std::size_t kFullDepthCourses = 5;
inline constexpr std::size_t kOverlayCourses = 3;   // proposed overlay courses
inline constexpr std::size_t kExistingCourses = 3;  // courses of the existing pavement

// The result sheet of the structure the designer accepted, as the result
// screen showed it: kFullDepthCourses rows for a full-depth structure,
// kOverlayCourses + kExistingCourses for an overlay.
struct AcceptedStructure {
    StructureKind kind = StructureKind::FullDepth;
    // Whether the entries it was computed from (the traffic and years, the
    // design data, the accepted structure's courses) still stand as the file
    // holds them.  A stale acceptance is kept for the record, as computed,
    // but no form is printed from it.
    bool current = true;
    std::string designLoading;  // as the design form prints it: "1,000,100"
    ResultSheet sheet;

    friend bool operator==(const AcceptedStructure& a, const AcceptedStructure& b);
};

// Everything a design file holds.  Course arrays hold course 1 (the top
// course) at element 0.
struct DesignFile {
    // Project information screen, in its field order: project number, P.I.
    // no., county, description, initial year, initial traffic, final year,
    // final traffic, truck %.
    ProjectTexts project;
    // Design data screen: LDF, terminal serviceability, soil support, regional
    // factor, single-unit ESAL, multiple-unit ESAL, representative ESAL.
    DesignDataTexts designData;
    // Designer information screen: name and title, comments, date.
    DesignerTexts designer;
    // 0 urban design, 1 road design, 2 district, 3 consultant design (major),
    // 4 consultant design (minor).
    int office = 0;

    // The worksheets' kept state: the LDF worksheet's entry, and the county
    // worksheet's chosen county (by name; empty: none) and its two boxes.
    std::string ldfWorksheetEntry;
    std::string county;
    std::string countySoilSupport;
    std::string countyRegionalFactor;

    // Absent when the entry screen was never used.
    std::optional<std::array<CourseRow, kFullDepthCourses>> fullDepth;
    // Overlay courses 1 to 3, then existing courses 1 to 3.
    std::optional<std::array<CourseRow, kOverlayCourses + kExistingCourses>> overlay;

    DesignStage stage = DesignStage::ProjectInformation;
    std::optional<AcceptedStructure> accepted;

    std::string program;  // the program version that wrote the file
    std::string saved;    // when, ISO 8601 UTC: "2026-12-09T10:15:00Z"

    friend bool operator==(const DesignFile&, const DesignFile&) = default;
};

// Why a design file was refused.  `file` is the path as the caller gave it
// (empty when a text was read); `reason` says what is wrong, without the file.
struct DesignFileRefusal {
    std::string file;
    std::string reason;

    // "<file>: <reason>", or the reason alone when there is no file.
    std::string Message() const;

    friend bool operator==(const DesignFileRefusal&, const DesignFileRefusal&) = default;
};

// A design read, or why it could not be.  Reading never changes anything else:
// on a refusal the caller keeps what it holds.
using DesignFileReading = std::variant<DesignFile, DesignFileRefusal>;

// The file's text: UTF-8 JSON, two-space indents, members in a fixed order,
// ending with a newline.  The same design always gives the same text.  The
// caller keeps the shape the reader asks for (accepted rows, materials of the
// lists); a text that is not valid UTF-8 is written with U+FFFD in place of
// each byte that is not.
std::string DesignFileText(const DesignFile& file);

// Reads a design from the file's text.  Unknown members are ignored; of a
// member given twice, the last counts.
DesignFileReading ReadDesignFileText(std::string_view text);

// Reads a design file: refuses a file that cannot be read (with the system's
// reason), and reads no more than one byte beyond kMaxDesignFileBytes, so that
// a larger file is refused as ReadDesignFileText refuses its text.
// `bytes`, when given, receives the file's bytes as read.
DesignFileReading ReadDesignFile(const std::string& path, std::string* bytes = nullptr);

// What a file on the disk held when it was opened or saved, to tell later
// whether another program has changed it since.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds since 1970, as the file system keeps it
    std::string hash;           // of the bytes, in hexadecimal

    // The same bytes: the same size and hash (a file only touched is the same).
    bool SameContent(const FileStamp& other) const { return size == other.size && hash == other.hash; }
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The file name a save dialog offers for a project number:
// "STP-0021-02(037).korvelle".  Characters a file name cannot hold become
// "-", as does a leading dot; a blank number gives "design.korvelle".  At
// most kMaxDesignFileNameBytes, never splitting a UTF-8 character.
inline constexpr std::size_t kMaxDesignFileNameBytes = 200;
std::string DesignFileName(std::string_view projectNumber);

}  // namespace korvelle
