// domarium-window-bench: how long the window takes to start, against a bare Qt
// window started the same way, and how long one animation step takes.
//   domarium-window-bench [RUNS]      measures both and prints the figures
//   domarium-window-bench --steps N   only N animation steps (to run under a profiler)
// Start-up is timed from just before the process is spawned to the moment its
// first chart (or, for the bare window, its first paint) has reached the screen;
// the child reports that moment on its stdout. An animation step is a mouse move
// with the left button held, delivered to the animate button, until the handler
// has returned with the chart repainted and the pending updates processed.
// Run it on an X server (bench/window/run-window-bench.sh starts Xvfb).

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "MainWindow.h"
#include "StartUpAhead.h"

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;
const char* const StarDataPath = DOMARIUM_SOURCE_DIR "/StarData";

// Reports, once, when the watched widget has painted while its window is exposed.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* watched) : Watched(watched) { watched->installEventFilter(this); }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == Watched && event->type() == QEvent::Paint && !Reported &&
            Watched->window()->windowHandle() != nullptr &&
            Watched->window()->windowHandle()->isExposed()) {
            Reported = true;
            // Queued: runs after this paint has been flushed to the screen.
            QTimer::singleShot(0, [] {
                std::puts("ready");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget* Watched;
    bool Reported = false;
};

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::black); }
};

int StartBare(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.resize(584, 416);
    FirstPaint watch(&window);
    window.show();
    return app.exec();
}

// The fair floor of start-up: a bare window that shows one Japanese label in the chart's
// font, so that the text machinery is set up as it must be for Domarium.
int StartLabel(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(584, 416);
    QLabel label(QStringLiteral("方位角"), &window);
    label.setFont(QFont(QStringLiteral("IPAMincho")));
    label.move(8, 16);
    FirstPaint watch(&label);
    window.show();
    return app.exec();
}

// As main() starts the program: the font configuration and the catalogue read while the
// toolkit starts, the window, then StartUp as the first event.
int StartDomarium(int argc, char** argv) {
    StartUpAhead ahead([] { return std::filesystem::path(StarDataPath); });
    QApplication app(argc, argv);
    ahead.WaitForFonts();
    MainWindow window;
    FirstPaint watch(window.ChartView(1));
    QTimer::singleShot(
        0, &window, [&window, &ahead] { window.Load([&ahead] { return ahead.TakeCatalogue(); }); });
    return app.exec();
}

struct StartTime {
    double Wall =
        -1;  // Milliseconds from spawning the child to its report of the first paint on screen.
    double Cpu = -1;  // Milliseconds of processor time (user + system) the child used in all.
    double ResidentMiB = -1;  // The child's largest resident size.
};

StartTime TimeStart(const char* self, const char* kind) {
    int out[2];
    if (pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* args[] = {const_cast<char*>(self), const_cast<char*>("--start"), const_cast<char*>(kind),
                    nullptr};
    const auto begin = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) return {};
    char line[16] = {};
    const ssize_t got = read(out[0], line, sizeof line - 1);
    const auto end = Clock::now();
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (got <= 0 || std::strncmp(line, "ready", 5) != 0) return {};
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return {std::chrono::duration<double, std::milli>(end - begin).count(),
            ms(usage.ru_utime) + ms(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

// Microseconds per animation step at the laid-out window size.
void TimeSteps(int argc, char** argv, int steps) {
    QApplication app(argc, argv);
    MainWindow window;
    window.Load(StarDataPath);
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QCoreApplication::processEvents();
    QtAnimateButton* button = window.AnimateButton;
    const QPointF inside(20, 20);
    QMouseEvent press(QEvent::MouseButtonPress, inside, button->mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &press);
    QCoreApplication::processEvents();
    std::vector<double> handler, withUpdates;
    for (int step = 0; step < steps; ++step) {
        const QPointF at(10 + step % 30, 20);
        QMouseEvent move(QEvent::MouseMove, at, button->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        const auto begin = Clock::now();
        QCoreApplication::sendEvent(button, &move);
        const auto handled = Clock::now();
        QCoreApplication::processEvents();
        const auto end = Clock::now();
        handler.push_back(std::chrono::duration<double, std::micro>(handled - begin).count());
        withUpdates.push_back(std::chrono::duration<double, std::micro>(end - begin).count());
    }
    std::printf("animation step, %d steps at 584x416 (chart 408x408), limit 3.5:\n", steps);
    std::printf("  handler with chart repaint:        median %7.1f us   95%% %7.1f us\n",
                Median(handler), Percentile(handler, 0.95));
    std::printf("  ... and pending updates processed: median %7.1f us   95%% %7.1f us\n",
                Median(withUpdates), Percentile(withUpdates, 0.95));
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--start") == 0) {
        if (std::strcmp(argv[2], "bare") == 0) return StartBare(argc, argv);
        if (std::strcmp(argv[2], "label") == 0) return StartLabel(argc, argv);
        return StartDomarium(argc, argv);
    }
    // Only the animation steps, for a profiler: domarium-window-bench --steps N.
    if (argc == 3 && std::strcmp(argv[1], "--steps") == 0) {
        TimeSteps(argc, argv, std::max(1, std::atoi(argv[2])));
        return 0;
    }
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 15;
    // The path of this program, to start it again as the child.
    std::vector<char> self(4096);
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length <= 0) return 2;
    self[static_cast<std::size_t>(length)] = '\0';

    // Interleaved, so that the machine's other work falls on all three alike.
    constexpr const char* Kinds[] = {"bare", "label", "domarium"};
    std::vector<double> wall[3], cpu[3], resident[3];
    for (const char* kind : Kinds) TimeStart(self.data(), kind);  // Warms the file cache.
    for (int run = 0; run < runs; ++run) {
        for (std::size_t k = 0; k < 3; ++k) {
            const StartTime time = TimeStart(self.data(), Kinds[k]);
            if (time.Wall < 0) {
                std::fputs("domarium-window-bench: a child did not report its first paint\n",
                           stderr);
                return 1;
            }
            wall[k].push_back(time.Wall);
            cpu[k].push_back(time.Cpu);
            resident[k].push_back(time.ResidentMiB);
        }
    }
    const char* const names[] = {"bare Qt window 584x416", "window with a Japanese label",
                                 "Domarium, first chart"};
    std::printf("start to first paint on screen, %d runs each (median, min):\n", runs);
    for (std::size_t k = 0; k < 3; ++k) {
        std::printf("  %-29s %7.1f ms  %7.1f ms\n", names[k], Median(wall[k]),
                    *std::min_element(wall[k].begin(), wall[k].end()));
    }
    std::printf("  ratio to the label window:    %7.2f  (target <= 1.25)\n",
                Median(wall[2]) / Median(wall[1]));
    // Processor time is what the program itself costs, whatever else the machine runs.
    std::printf("processor time of the whole child, user + system (median):\n");
    for (std::size_t k = 0; k < 3; ++k) std::printf("  %-29s %7.1f ms\n", names[k], Median(cpu[k]));
    std::printf("  ratio to the label window:    %7.2f\n", Median(cpu[2]) / Median(cpu[1]));
    std::printf("largest resident size (median):\n");
    for (std::size_t k = 0; k < 3; ++k)
        std::printf("  %-29s %7.1f MiB\n", names[k], Median(resident[k]));
    std::printf("  ratio to the label window:    %7.2f  (target <= 1.3)\n",
                Median(resident[2]) / Median(resident[1]));
    TimeSteps(argc, argv, 500);
    return 0;
}
