#include "catalogue/StarDataPath.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "catalogue/StarData.h"
#include "core/RunTimeError.h"

#ifndef DOMARIUM_DATA_DIR
#error "DOMARIUM_DATA_DIR names the installed data folder; CMake defines it from the install prefix"
#endif
#ifndef DOMARIUM_LABEL_FONT
#error "DOMARIUM_LABEL_FONT names the labels' font file; CMake defines it"
#endif

namespace {
// The folder's name as the user reads it in a message.
std::string Shown(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::path shown = std::filesystem::absolute(folder, error).lexically_normal();
    if (error) return folder.string();
    // "/home/x/." normalises to "/home/x/"; the folder is shown without the slash.
    if (!shown.has_filename() && shown.has_parent_path() && shown != shown.root_path())
        shown = shown.parent_path();
    return shown.string();
}
}  // namespace

std::vector<std::filesystem::path> StarDataFolders(const std::filesystem::path& executableFolder) {
    const std::filesystem::path candidates[] = {
        ".",
        DOMARIUM_DATA_DIR,
        (executableFolder / ".." / "share" / "domarium").lexically_normal(),
    };
    std::vector<std::filesystem::path> folders;
    for (const std::filesystem::path& folder : candidates) {
        const bool seen = std::any_of(folders.begin(), folders.end(), [&](const auto& earlier) {
            return Shown(earlier) == Shown(folder);
        });
        if (!seen) folders.push_back(folder);
    }
    return folders;
}

std::filesystem::path FindStarData(const std::vector<std::filesystem::path>& folders) {
    std::string searched;
    for (const std::filesystem::path& folder : folders) {
        const std::filesystem::path file = folder / StarDataFileName;
        std::error_code error;
        if (std::filesystem::exists(file, error)) return file;
        searched += "\n  " + Shown(folder);
    }
    throw RunTimeError(ErrorKind::FileNotFound,
                       std::string(StarDataFileName) +
                           " がどのフォルダにもありません。探したフォルダ:" + searched);
}

std::filesystem::path LabelFontFile() { return DOMARIUM_LABEL_FONT; }
