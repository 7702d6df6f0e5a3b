#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalogue/StarData.h"
#include "core/RunTimeError.h"
#include "core/Sky.h"

namespace {
// Star i of the made-up catalogue: distinct values that show which field went where.
double Ra(int i) { return i * 0.1 + 0.25; }
double Dec(int i) { return -89.9 + (i % 1000) * 0.1; }
double Mag(int i) { return -1.5 + (i % 80) * 0.1; }

enum class Layout { RecordPerLine, FieldPerLine, OneLine };

std::string Catalogue(int records, Layout layout) {
    std::ostringstream out;
    out.precision(17);
    for (int i = 0; i < records; ++i) {
        switch (layout) {
            case Layout::RecordPerLine:
                out << Ra(i) << "," << Dec(i) << "," << Mag(i) << "\n";
                break;
            case Layout::FieldPerLine:
                out << " " << Ra(i) << "\n\t" << Dec(i) << " \n" << Mag(i) << "\r\n";
                break;
            case Layout::OneLine:
                out << (i ? "," : "") << Ra(i) << ", " << Dec(i) << " ,\t" << Mag(i);
                break;
        }
    }
    return out.str();
}

std::unique_ptr<::Sky> Load(const std::string& text) {
    auto Sky = std::make_unique<::Sky>();
    std::istringstream input(text);
    LoadStarDataFromStream(*Sky, input, "StarData");
    return Sky;
}

// The error a load raises, with the arrays left as they were.
RunTimeError LoadError(const std::string& text) {
    auto Sky = std::make_unique<::Sky>();
    Sky->StarMag[0] = 42;
    std::istringstream input(text);
    try {
        LoadStarDataFromStream(*Sky, input, "StarData");
    } catch (const RunTimeError& error) {
        EXPECT_EQ(Sky->StarMag[0], 42) << "a failed load changed the catalogue";
        EXPECT_EQ(Sky->SinPolarDist[0], 0) << "derived values made from a failed load";
        return error;
    }
    ADD_FAILURE() << "no error";
    return RunTimeError(ErrorKind::Overflow);
}
}  // namespace

TEST(LoadStarData, ReadsEveryLayoutAlike) {
    for (Layout layout : {Layout::RecordPerLine, Layout::FieldPerLine, Layout::OneLine}) {
        auto Sky = Load(Catalogue(StarCount, layout));
        for (int i : {0, 1, 1234, StarCount - 1}) {
            const auto k = static_cast<std::size_t>(i);
            EXPECT_EQ(Sky->StarRA[k], Ra(i)) << i;
            EXPECT_EQ(Sky->StarDec[k], Dec(i)) << i;
            EXPECT_EQ(Sky->StarMag[k], Mag(i)) << i;
        }
        EXPECT_EQ(Sky->SinPolarDist[0], std::sin(((90 - Dec(0)) * ChartPi) / 180));
    }
}

TEST(LoadStarData, StoresValuesOutsideTheirRangesUnchanged) {
    auto Sky =
        Load("400,-89.9,-1.5\n-20,+95,99\n" + Catalogue(StarCount - 2, Layout::RecordPerLine));
    EXPECT_EQ(Sky->StarRA[0], 400);
    EXPECT_EQ(Sky->StarDec[0], -89.9);
    EXPECT_EQ(Sky->StarMag[0], -1.5);
    EXPECT_EQ(Sky->StarRA[1], -20);
    EXPECT_EQ(Sky->StarDec[1], 95);
}

TEST(LoadStarData, NeverReadsPastTheLastRecord) {
    // Whatever follows the 3146th record, even garbage, is not read.
    auto Sky = Load(Catalogue(StarCount, Layout::RecordPerLine) + "1,2,3\nnot a star\n");
    EXPECT_EQ(Sky->StarMag[StarCount - 1], Mag(StarCount - 1));
}

TEST(LoadStarData, StopsWithEndOfFileOnAShortCatalogue) {
    EXPECT_EQ(LoadError(Catalogue(StarCount - 1, Layout::RecordPerLine)).Kind(),
              ErrorKind::InputPastEnd);
    EXPECT_EQ(LoadError("").Kind(), ErrorKind::InputPastEnd);
    // A record cut short in the middle.
    EXPECT_EQ(LoadError(Catalogue(StarCount - 1, Layout::RecordPerLine) + "1,2").Kind(),
              ErrorKind::InputPastEnd);
}

TEST(LoadStarData, RejectsBadFieldsNamingRecordAndLine) {
    struct Row {
        const char* Field;
        const char* Reason;
    };
    const Row Rows[] = {{"", "空"},
                        {"abc", "数値ではありません"},
                        {"1.2.3", "数値ではありません"},
                        {"0x10", "数値ではありません"},
                        {"nan", "数値ではありません"},
                        {"1e999", "有限"},
                        {"inf", "数値ではありません"},
                        {"- 5", "数値ではありません"}};
    for (const Row& row : Rows) {
        // Star 3 (line 3) has the bad declination.
        const std::string text = Catalogue(2, Layout::RecordPerLine) + "1," + row.Field + ",2\n" +
                                 Catalogue(StarCount, Layout::RecordPerLine);
        const RunTimeError error = LoadError(text);
        EXPECT_EQ(error.Kind(), ErrorKind::BadCatalogue) << row.Field;
        const std::string message = error.what();
        EXPECT_NE(message.find("3 行目"), std::string::npos) << message;
        EXPECT_NE(message.find("3 番目の星の赤緯"), std::string::npos) << message;
        EXPECT_NE(message.find(row.Reason), std::string::npos) << message;
    }
}

TEST(LoadStarData, RejectsAHugeLineWithoutReadingItAll) {
    const std::string text =
        std::string(5'000'000, '7') + "\n" + Catalogue(StarCount, Layout::RecordPerLine);
    EXPECT_EQ(LoadError(text).Kind(), ErrorKind::BadCatalogue);
}

TEST(LoadStarData, ReportsAMissingFileOrAFolder) {
    auto Sky = std::make_unique<::Sky>();
    const auto folder = std::filesystem::temp_directory_path() / "domarium-stardata-test";
    std::filesystem::create_directories(folder / "StarData");
    try {
        LoadStarDataFrom(*Sky, folder / "absent");
        ADD_FAILURE();
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.Kind(), ErrorKind::FileNotFound);
    }
    try {
        LoadStarDataFrom(*Sky, folder / "StarData");
        ADD_FAILURE();
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.Kind(), ErrorKind::FileNotFound);
        EXPECT_NE(std::string(error.what()).find("フォルダ"), std::string::npos);
    }
    std::filesystem::remove_all(folder);
}

TEST(StarDataFile, HoldsTheShippedCatalogue) {
    auto Sky = std::make_unique<::Sky>();
    LoadStarDataFrom(*Sky, std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData");
    bool sirius = false;
    for (int i = 0; i < StarCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        EXPECT_TRUE(std::isfinite(Sky->StarRA[k]) && std::isfinite(Sky->StarDec[k]) &&
                    std::isfinite(Sky->StarMag[k]));
        EXPECT_GE(Sky->StarRA[k], 0);
        EXPECT_LT(Sky->StarRA[k], 360);
        EXPECT_LE(std::fabs(Sky->StarDec[k]), 90);
        sirius = sirius || Sky->StarMag[k] == -1.44;
    }
    EXPECT_TRUE(sirius);
    std::ifstream file(std::filesystem::path(DOMARIUM_SOURCE_DIR) / "StarData");
    std::string line;
    int lines = 0;
    while (std::getline(file, line)) ++lines;
    EXPECT_EQ(lines, StarCount);
}

TEST(LoadStarData, ReportsAFileThatOpensButCannotBeRead) {
    // Reading this process's memory file from offset 0 fails with an I/O error.
    auto Sky = std::make_unique<::Sky>();
    try {
        LoadStarDataFrom(*Sky, "/proc/self/mem");
        ADD_FAILURE();
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.Kind(), ErrorKind::FileNotFound);
        EXPECT_NE(std::string(error.what()).find("読めません"), std::string::npos);
    }
}
