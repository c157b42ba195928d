#pragma once

// What `korvelle-cli alternatives` writes: the alternatives a design keeps,
// compared as the ALTERNATIVES window compares them.

#include <string>
#include <vector>

#include "ui/alternatives.h"

namespace korvelle {

// The comparison as an aligned table: a heading line of column titles, then
// one line per alternative; every text escaped onto one line.
std::vector<std::string> AlternativesLines(const std::vector<AlternativeRow>& rows);

// One JSON object: the file, the required SN and every alternative with its
// courses, total thickness, proposed SN, signed difference in percent,
// verdict (or why CONTINUE refuses it) and cost in dollars (null when some
// course is not priced).
std::string AlternativesJson(const std::string& file, const std::string& requiredSn,
                             const std::vector<AlternativeRow>& rows);

// A CSV table: the header, then a row per alternative.
std::string AlternativesCsvHeader();
std::string AlternativesCsv(const std::string& file, const std::string& requiredSn, const AlternativeRow& row);

}  // namespace korvelle
