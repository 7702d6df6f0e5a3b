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

#include <array>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "core/SkyState.h"

inline constexpr const char* StarDataFileName = "StarData";

// The catalogue's three columns as read: right ascension, declination and magnitude.
struct StarColumns {
    std::array<double, StarCount> RA{};
    std::array<double, StarCount> Dec{};
    std::array<double, StarCount> Mag{};
};

// ReadStarDataFrom: the columns of the catalogue file, read and checked; no state is touched,
// so that it may run on a thread of its own. Raises what LoadStarDataFrom raises.
std::unique_ptr<StarColumns> ReadStarDataFrom(const std::filesystem::path& path);
// TakeStarData: the columns into StarRA, StarDec and StarMag, and the polar cache made anew.
void TakeStarData(SkyState& Sky, const StarColumns& stars);

// LoadStarData: reads StarData from the current directory into StarRA, StarDec and StarMag.
void LoadStarData(SkyState& Sky);
void LoadStarDataFrom(SkyState& Sky, const std::filesystem::path& path);
// SourceName names the input in error messages.
void LoadStarDataFromStream(SkyState& Sky, std::istream& input, const std::string& sourceName);
