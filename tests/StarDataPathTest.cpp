#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "catalogue/StarDataPath.h"
#include "core/RunTimeError.h"

namespace fs = std::filesystem;

namespace {
// Three folders under a fresh scratch folder: one empty, one whose StarData is
// a folder, one with a StarData file.
class StarDataFolderTest : public testing::Test {
protected:
    void SetUp() override {
        Root = fs::temp_directory_path() / ("domarium-path-" + std::to_string(::getpid()));
        for (const fs::path& folder : {Empty, Misleading, Holding})
            fs::create_directories(Root / folder);
        fs::create_directory(Root / Misleading / "StarData");
        std::ofstream(Root / Holding / "StarData") << "0,0,0\n";
    }
    void TearDown() override { fs::remove_all(Root); }

    fs::path Root;
    const fs::path Empty = "empty", Misleading = "misleading", Holding = "holding";
};
}  // namespace

TEST(StarDataFolders, CurrentThenInstalledThenBesideTheProgram) {
    const auto folders = StarDataFolders("/opt/domarium/bin");
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[0], ".");
    EXPECT_EQ(folders[1].filename(), "domarium");
    EXPECT_EQ(folders[2], "/opt/domarium/share/domarium");
    // Run from the installed bin folder, the installed data folder is searched once.
    const auto installed = StarDataFolders(folders[1].parent_path().parent_path() / "bin");
    EXPECT_EQ(installed.size(), 2u);
}

TEST_F(StarDataFolderTest, TakesTheFirstFolderHoldingStarData) {
    EXPECT_EQ(FindStarData({Root / Empty, Root / Holding}), Root / Holding / "StarData");
    // A StarData folder is found, for the loader to name the fault.
    EXPECT_EQ(FindStarData({Root / Empty, Root / Misleading, Root / Holding}),
              Root / Misleading / "StarData");
}

TEST_F(StarDataFolderTest, NamesEveryFolderSearched) {
    try {
        FindStarData({Root / Empty, Root / "missing"});
        FAIL() << "no error";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.Kind(), ErrorKind::FileNotFound);
        const std::string message = error.what();
        for (const fs::path& folder : {Empty, fs::path("missing")}) {
            EXPECT_NE(message.find("\n  " + (Root / folder).string()), std::string::npos)
                << message;
        }
    }
}
