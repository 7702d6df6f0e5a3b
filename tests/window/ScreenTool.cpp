// domarium-screen: what the end-to-end test needs of the X display, done with
// Qt on the same display as the program under test.
//   grab OUT.png              the whole screen as a PNG
//   find SCREEN.png PART.png  "x y" of the first place where PART appears
//                             in SCREEN pixel for pixel; status 1 if nowhere
//   menu-items                "x y" of the centre of each menu bar item of the
//                             main window, relative to the client's top-left
//                             corner (negative y: above it), one per line

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <cstring>

namespace {
int Grab(const char* out) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || !screen->grabWindow(0).save(QString::fromLocal8Bit(out), "PNG")) {
        std::fprintf(stderr, "domarium-screen: cannot grab the screen into %s\n", out);
        return 2;
    }
    return 0;
}

bool MatchesAt(const QImage& screen, const QImage& part, int x, int y) {
    for (int row = 0; row < part.height(); ++row) {
        const auto* a = reinterpret_cast<const QRgb*>(screen.constScanLine(y + row)) + x;
        const auto* b = reinterpret_cast<const QRgb*>(part.constScanLine(row));
        if (std::memcmp(a, b, static_cast<std::size_t>(part.width()) * sizeof(QRgb)) != 0)
            return false;
    }
    return true;
}

int Find(const char* screenPath, const char* partPath) {
    const QImage screen =
        QImage(QString::fromLocal8Bit(screenPath)).convertToFormat(QImage::Format_RGB32);
    const QImage part =
        QImage(QString::fromLocal8Bit(partPath)).convertToFormat(QImage::Format_RGB32);
    if (screen.isNull() || part.isNull()) {
        std::fprintf(stderr, "domarium-screen: cannot read %s or %s\n", screenPath, partPath);
        return 2;
    }
    for (int y = 0; y + part.height() <= screen.height(); ++y) {
        for (int x = 0; x + part.width() <= screen.width(); ++x) {
            if (MatchesAt(screen, part, x, y)) {
                std::printf("%d %d\n", x, y);
                return 0;
            }
        }
    }
    return 1;
}

// The menu bar laid out as the main window lays out its own: the same two items
// in the same style and font on the same display.
int MenuItems() {
    QMainWindow window;
    window.menuBar()->setNativeMenuBar(false);
    QAction* items[] = {window.menuBar()->addAction(QStringLiteral("終了")),
                        window.menuBar()->addAction(QStringLiteral("情報"))};
    window.setCentralWidget(new QWidget);
    window.resize(584, 416 + window.menuBar()->sizeHint().height());
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    const QPoint client = window.centralWidget()->mapTo(&window, QPoint(0, 0));
    for (QAction* item : items) {
        const QPoint centre = window.menuBar()->actionGeometry(item).center();
        const QPoint inWindow = window.menuBar()->mapTo(&window, centre);
        std::printf("%d %d\n", inWindow.x() - client.x(), inWindow.y() - client.y());
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "grab") == 0) return Grab(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "find") == 0) return Find(argv[2], argv[3]);
    if (argc == 2 && std::strcmp(argv[1], "menu-items") == 0) return MenuItems();
    std::fputs("usage: domarium-screen grab OUT.png | find SCREEN.png PART.png | menu-items\n",
               stderr);
    return 2;
}
