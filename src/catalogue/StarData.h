#pragma once
// The star catalogue: StarData, a text file of 3146 records of right
// ascension (degrees), declination (degrees) and visual magnitude.
//
// A comma or a line end ends a field; spaces and tabs around a field are
// ignored, and so are blank lines; how records are spread over lines does not
// matter. Records after the 3146th are never read. Values are stored as read,
// without range checks. A field that is empty, not a decimal number or not
// finite is rejected with its record and line named: it would otherwise put
// a wrong star on the chart. The arrays change only when the whole file has
// been read: nothing half-loaded is ever used.

#include <filesystem>
#include <iosfwd>
#include <string>

struct SkyState;

inline constexpr const char* StarDataFileName = "StarData";

// LoadStarData: reads StarData from the current directory into StarRA, StarDec and StarMag.
void LoadStarData(SkyState& Sky);
void LoadStarDataFrom(SkyState& Sky, const std::filesystem::path& path);
// SourceName names the input in error messages.
void LoadStarDataFromStream(SkyState& Sky, std::istream& input, const std::string& sourceName);
