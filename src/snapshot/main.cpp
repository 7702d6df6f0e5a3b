// domarium-snapshot: writes the sky chart as a PNG picture, for worksheets,
// tests and documents. The program itself has no command line; this tool
// draws the same chart without a window.

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>
#include <cstdlib>

#include "Snapshot.h"
#include "SnapshotOptions.h"
#include "core/RunTimeError.h"

namespace {
// Writes the whole file or nothing: QSaveFile writes a temporary file and renames it.
bool WriteWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const SnapshotParse parsed = ParseSnapshotOptions(args);
    if (parsed.Help) {
        std::fputs(SnapshotUsage(), stdout);
        return 0;
    }
    if (!parsed.Options) {
        std::fprintf(stderr, "domarium-snapshot: %s\n", parsed.Error.c_str());
        return 2;
    }
    const SnapshotOptions& options = *parsed.Options;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);

    std::vector<PlottedStar> stars;
    std::vector<MarkedPoint> points;
    QByteArray png;
    try {
        const QImage chart = DrawSnapshot(options, stars, &points);
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!chart.save(&buffer, "PNG"))
            throw RunTimeError(ErrorKind::SurfaceFailure, "PNG を作れません。");
    } catch (const RunTimeError& error) {
        std::fprintf(stderr, "domarium-snapshot: %s\n", error.what());
        return 1;
    }
    if (!options.StarsCsv.empty()) {
        const std::string table = StarTable(stars);
        if (!WriteWhole(QString::fromStdString(options.StarsCsv),
                        QByteArray::fromStdString(table))) {
            std::fprintf(stderr, "domarium-snapshot: %s に書き込めません。\n",
                         options.StarsCsv.c_str());
            return 1;
        }
    }
    if (!options.PointsCsv.empty()) {
        const std::string table = PointTable(points);
        if (!WriteWhole(QString::fromStdString(options.PointsCsv),
                        QByteArray::fromStdString(table))) {
            std::fprintf(stderr, "domarium-snapshot: %s に書き込めません。\n",
                         options.PointsCsv.c_str());
            return 1;
        }
    }
    if (!WriteWhole(QString::fromStdString(options.Output), png)) {
        std::fprintf(stderr, "domarium-snapshot: %s に書き込めません。\n", options.Output.c_str());
        return 1;
    }
    return 0;
}
