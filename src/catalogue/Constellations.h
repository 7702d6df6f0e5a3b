#pragma once
// The lesson figures of the sky: the 88 constellations (IAU abbreviation,
// Japanese name, where the name is written, the lines between their stars)
// from ConstellationData, and the Japanese names of the brightest stars from
// StarNames. Both files are made by tools/make-constellations.py and sit next
// to StarData.
//
// ConstellationData, UTF-8, one item per line, fields separated by commas:
//   constellation,ABBR,NAME   starts a constellation
//   label,RA,DEC              a place for its name (Serpens has two)
//   line,RA,DEC,RA,DEC,...    one polyline of two or more vertices
// with right ascension 0..360 and declination -90..90 in degrees. Exactly 88
// constellations with distinct abbreviations, each with at least one label and
// one line.
//
// StarNames, UTF-8, one star per line: INDEX,NAME, where INDEX is the star's
// StarData line counted from 0 (0..3145).
//
// Blank lines are skipped and a carriage return before a line end is ignored.
// Anything else that does not fit is rejected with the file and line named:
// a misplaced line or name would teach the wrong sky. The catalogue changes
// only when both files have been read whole: nothing half-loaded is ever used.

#include <filesystem>
#include <iosfwd>
#include <string>

#include "core/ConstellationCatalogue.h"

inline constexpr const char* ConstellationDataFileName = "ConstellationData";
inline constexpr const char* StarNamesFileName = "StarNames";

// LoadConstellations: reads ConstellationData and StarNames from the current folder.
void LoadConstellations(ConstellationCatalogue& Figures);
void LoadConstellationsFrom(ConstellationCatalogue& Figures,
                            const std::filesystem::path& constellationData,
                            const std::filesystem::path& starNames);
// The readers of one file each; SourceName names the input in error messages. Each
// replaces only its own part of the catalogue, and only when the whole input is sound.
void ReadConstellationData(ConstellationCatalogue& Figures, std::istream& input,
                           const std::string& sourceName);
void ReadStarNames(ConstellationCatalogue& Figures, std::istream& input,
                   const std::string& sourceName);
