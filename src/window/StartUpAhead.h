#pragma once

#include <filesystem>
#include <functional>
#include <future>
#include <thread>

#include "session/StartUp.h"

// What the start needs and the toolkit does not, made on a thread of its own while the
// toolkit connects to the display:
// 1) the system's font configuration: an XML parse of every file under /etc/fonts and the
//    font caches, the first thing any text needs. It is made once per process, so the
//    toolkit's own calls find it ready;
// 2) the catalogue files, read and checked (ReadCatalogueFiles), for StartUp to take.
// Without a thread both are made where they are first needed, as they always could be.
class StartUpAhead {
public:
    // findStarData names the catalogue file, or raises the error of its search.
    explicit StartUpAhead(std::function<std::filesystem::path()> findStarData);
    ~StartUpAhead();
    StartUpAhead(const StartUpAhead&) = delete;
    StartUpAhead& operator=(const StartUpAhead&) = delete;

    // Waits for the font configuration: call it before the first text is measured, so that
    // a configuration still being read is waited for rather than read a second time.
    void WaitForFonts();
    // The catalogue files, once: waits for them, and raises what their search or reading
    // raised, as StartUp would have where it reads them.
    CatalogueFiles TakeCatalogue();

private:
    std::function<std::filesystem::path()> FindStarData;
    std::promise<void> FontsMade;
    std::future<void> Fonts;
    std::promise<CatalogueFiles> CatalogueRead;
    std::future<CatalogueFiles> Catalogue;
    std::thread Worker;
};

// The folder of the running program, found before the toolkit is there: the link the
// system keeps to it, else the folder of the name it was started by.
std::filesystem::path ExecutableFolder(const char* startedAs);
