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

#include "core/Sky.h"

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
// TakeStarData: the columns into the sky's StarRA, StarDec and StarMag, with their derived
// polar values made anew.
void TakeStarData(Sky& sky, const StarColumns& stars);

// LoadStarData: reads StarData from the current directory into StarRA, StarDec and StarMag.
void LoadStarData(Sky& sky);
void LoadStarDataFrom(Sky& sky, const std::filesystem::path& path);
// SourceName names the input in error messages.
void LoadStarDataFromStream(Sky& sky, std::istream& input, const std::string& sourceName);

// The files a start reads: StarData, and beside it the constellations and star names.
struct CatalogueFiles {
    std::unique_ptr<StarColumns> Stars;
    ConstellationCatalogue Figures;  // Empty when neither file is there.
};

// ReadCatalogueFiles: the files beside starData, read and checked, StarData first; no sky is
// touched, so that a front end may read them on a thread of its own while it starts.
// Raises:  the loaders' errors: a missing or damaged StarData, a damaged constellation file.
CatalogueFiles ReadCatalogueFiles(const std::filesystem::path& starData);

// TakeCatalogue: the files into a sky: the stars with their polar values, and the figures.
// Raises:  the missing-file error when the files hold no stars.
void TakeCatalogue(Sky& sky, CatalogueFiles&& files);
