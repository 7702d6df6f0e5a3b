// domarium-snapshot: writes the sky chart as a PNG picture, for worksheets,
// tests and documents. It draws the same chart as the window, without one.

#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>
#include <cstdlib>

#include "Snapshot.h"
#include "SnapshotOptions.h"
#include "catalogue/StarDataPath.h"
#include "core/RunTimeError.h"

namespace {
// Writes the whole file or nothing: QSaveFile writes a temporary file and
// renames it. "-" is standard output, written as it comes. Returns the reason
// of a failure, empty on success.
std::string WriteWhole(const std::string& path, const QByteArray& bytes) {
    if (path == "-") {
        const bool written =
            std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) ==
            static_cast<std::size_t>(bytes.size());
        return written && std::fflush(stdout) == 0 ? std::string() : "標準出力に書き込めません。";
    }
    QSaveFile file(QString::fromLocal8Bit(path.c_str()));
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {};
    return path + " に書き込めません（" + file.errorString().toStdString() + "）。";
}
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const SnapshotParse parsed = ParseSnapshotOptions(args);
    if (parsed.Help || parsed.Version) {
        std::fputs(parsed.Text.c_str(), stdout);
        return 0;
    }
    if (!parsed.Options) {
        std::fprintf(stderr, "domarium-snapshot: %s\n", parsed.Error.c_str());
        return 2;
    }
    SnapshotOptions options = *parsed.Options;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);

    std::vector<PlottedStar> stars;
    std::vector<MarkedPoint> points;
    std::string bodies;
    LabelOutcome labels;
    QByteArray png;
    try {
        if (options.StarData.empty()) {
            options.StarData =
                FindStarData(StarDataFolders(QCoreApplication::applicationDirPath().toStdString()))
                    .string();
        }
        const QImage chart = DrawSnapshot(options, stars, &points, &bodies, &labels);
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!chart.save(&buffer, "PNG"))
            throw RunTimeError(ErrorKind::SurfaceFailure, "PNG を作れません。");
    } catch (const RunTimeError& error) {
        std::fprintf(stderr, "domarium-snapshot: %s\n", error.what());
        return 1;
    }
    if (!options.StarsCsv.empty()) {
        const std::string failure =
            WriteWhole(options.StarsCsv, QByteArray::fromStdString(StarTable(stars)));
        if (!failure.empty()) {
            std::fprintf(stderr, "domarium-snapshot: %s\n", failure.c_str());
            return 1;
        }
    }
    if (!options.PointsCsv.empty()) {
        const std::string failure =
            WriteWhole(options.PointsCsv, QByteArray::fromStdString(PointTable(points)));
        if (!failure.empty()) {
            std::fprintf(stderr, "domarium-snapshot: %s\n", failure.c_str());
            return 1;
        }
    }
    if (!options.BodiesCsv.empty()) {
        const std::string failure =
            WriteWhole(options.BodiesCsv, QByteArray::fromStdString(bodies));
        if (!failure.empty()) {
            std::fprintf(stderr, "domarium-snapshot: %s\n", failure.c_str());
            return 1;
        }
    }
    if (!options.LabelsCsv.empty()) {
        const std::string failure =
            WriteWhole(options.LabelsCsv, QByteArray::fromStdString(LabelTable(labels.Placed)));
        if (!failure.empty()) {
            std::fprintf(stderr, "domarium-snapshot: %s\n", failure.c_str());
            return 1;
        }
    }
    const std::string failure = WriteWhole(options.Output, png);
    if (!failure.empty()) {
        std::fprintf(stderr, "domarium-snapshot: %s\n", failure.c_str());
        return 1;
    }
    return 0;
}
