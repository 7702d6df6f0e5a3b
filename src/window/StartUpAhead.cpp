#include "StartUpAhead.h"

#include <fontconfig/fontconfig.h>

#include <exception>
#include <system_error>
#include <utility>

StartUpAhead::StartUpAhead(std::function<std::filesystem::path()> findStarData)
    : FindStarData(std::move(findStarData)),
      Fonts(FontsMade.get_future()),
      Catalogue(CatalogueRead.get_future()) {
    try {
        Worker = std::thread([this] {
            FcInit();
            FontsMade.set_value();
            try {
                CatalogueRead.set_value(ReadCatalogueFiles(FindStarData()));
            } catch (...) {
                CatalogueRead.set_exception(std::current_exception());
            }
        });
    } catch (const std::system_error&) {
    }
}

StartUpAhead::~StartUpAhead() {
    if (Worker.joinable()) Worker.join();
}

void StartUpAhead::WaitForFonts() {
    if (Worker.joinable()) Fonts.wait();
}

CatalogueFiles StartUpAhead::TakeCatalogue() {
    if (!Worker.joinable()) return ReadCatalogueFiles(FindStarData());
    return Catalogue.get();
}

std::filesystem::path ExecutableFolder(const char* startedAs) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && self.is_absolute()) return self.parent_path();
    const std::filesystem::path named = startedAs != nullptr ? startedAs : "";
    return std::filesystem::absolute(named, error).parent_path();
}
