#pragma once
// Where the programs find StarData. A teacher's own catalogue in the folder
// the program was started from wins; otherwise the catalogue that was
// installed with the program is used, wherever the program was started.
// No toolkit here: the caller names the executable's folder.

#include <filesystem>
#include <vector>

// StarDataFolders: the folders searched for StarData, in the order searched.
// Reads:   executableFolder  the folder holding the running program (absolute).
// Returns: 1) the current folder, as the relative path "." (so that its StarData
//             is opened exactly as before installation existed);
//          2) the data folder compiled in from the install prefix
//             (DOMARIUM_DATA_DIR, e.g. /usr/share/domarium);
//          3) executableFolder/../share/domarium, for a copy of the installed
//             tree moved elsewhere.
// Notes:   A folder that appears twice (a program run from its installed bin
//          folder under the compiled-in prefix) is searched once.
// Tested:  folder order and de-duplication in StarDataPathTest.
std::vector<std::filesystem::path> StarDataFolders(const std::filesystem::path& executableFolder);

// FindStarData: the StarData file of the first folder that holds one.
// Reads:   folders  searched in order; a folder's StarData counts when it exists
//                   in any form: a damaged file, or a folder by that name, is
//                   reported by the loader rather than passed over for another
//                   catalogue the teacher did not mean.
// Returns: folder / "StarData".
// Raises:  RunTimeError FileNotFound naming every folder searched, one a line,
//          the current folder by its absolute name.
std::filesystem::path FindStarData(const std::vector<std::filesystem::path>& folders);

// LabelFontFile: the chart labels' TrueType font, as the build was configured
// (DOMARIUM_LABEL_FONT: the font package's file).
std::filesystem::path LabelFontFile();
