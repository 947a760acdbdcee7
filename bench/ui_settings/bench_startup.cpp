// Start-up to the first painted main window: with a settings file that
// names an installed board and keeps the 1,000,000-word sampling memory,
// against the start with an empty settings folder (the baseline), in the
// same run. Every start is a process of its own, measured from the start of
// main() to the end of the first paint of the graph.
//
//   bench_startup [starts]       (default 7 of each, alternating)
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "graph/ui/CNivaraView.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"

namespace {

double Seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Notes the first paint event that reaches a graph.
class CFirstPaint : public QObject {
public:
    bool Painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<CNivaraView*>(watched) != nullptr) {
            Painted = true;
        }
        return false;
    }
};

// One start in this process; prints "<wall ms> <cpu ms>".
int StartOnce(int argc, char** argv, const char* folder) {
    const double wall = Seconds(CLOCK_MONOTONIC);
    const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    CNivaraApp app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(folder));
    CFirstPaint paint;
    app.installEventFilter(&paint);
    if (!app.InitInstance(QString())) {
        return 1;
    }
    while (!paint.Painted) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    const double wallMs = (Seconds(CLOCK_MONOTONIC) - wall) * 1000.0;
    const double cpuMs = (Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu) * 1000.0;
    std::printf("%.1f %.1f\n", wallMs, cpuMs);
    std::fflush(stdout);
    app.removeEventFilter(&paint);
    return 0;
}

struct FIGURE {
    double Wall = 0;
    double Cpu = 0;
};

FIGURE RunChild(const char* self, const std::string& folder) {
    int out[2];
    if (pipe(out) != 0) std::exit(2);
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(self, self, "--one", folder.c_str(), static_cast<char*>(nullptr));
        _exit(3);
    }
    close(out[1]);
    char buffer[256] = {};
    std::string text;
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer - 1)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    FIGURE figure;
    if (std::sscanf(text.c_str(), "%lf %lf", &figure.Wall, &figure.Cpu) != 2) {
        std::fprintf(stderr, "a start failed: %s\n", text.c_str());
        std::exit(4);
    }
    return figure;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void WriteSettingsFile(const QString& folder) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings settings(QStringLiteral("VARDEK"), QStringLiteral("Nivara"));
    settings.setValue("Common Settings/DeviceName", "DIO000 QDX-32A-PE");
    settings.setValue("Common Settings/Direction", 2);
    settings.setValue("Generating Settings/Buffer Size", 1000);
    settings.setValue("Generating Settings/Stop Position", 999);
    settings.setValue("Sampling Settings/Buffer Size", 1000000);
    settings.setValue("Bookmark Settings/Auto Close", 1);
    settings.setValue("Recent File List/File1", folder + "/run.csv");
    settings.setValue("Workspace/ApplicationLook", 216);
    settings.sync();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--one") {
        return StartOnce(argc, argv, argv[2]);
    }
    if (getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    QTemporaryDir empty;
    QTemporaryDir kept;
    {
        int zero = 0;
        QCoreApplication core(zero, nullptr);
        WriteSettingsFile(kept.path());
    }
    // The first start pays for loading libraries and fonts into the page cache.
    (void)RunChild(argv[0], empty.path().toStdString());
    std::vector<double> emptyWall, emptyCpu, keptWall, keptCpu;
    for (int i = 0; i < starts; ++i) {
        const FIGURE base = RunChild(argv[0], empty.path().toStdString());
        const FIGURE with = RunChild(argv[0], kept.path().toStdString());
        emptyWall.push_back(base.Wall);
        emptyCpu.push_back(base.Cpu);
        keptWall.push_back(with.Wall);
        keptCpu.push_back(with.Cpu);
    }
    const double baseWall = Median(emptyWall), baseCpu = Median(emptyCpu);
    const double withWall = Median(keptWall), withCpu = Median(keptCpu);
    std::printf("start-up to the first painted graph, median of %d starts each\n", starts);
    std::printf("  empty settings folder (baseline): %8.1f ms wall %8.1f ms CPU\n", baseWall, baseCpu);
    std::printf("  settings file, board found:       %8.1f ms wall %8.1f ms CPU\n", withWall, withCpu);
    std::printf("  ratio settings / empty:           %8.2f wall %8.2f CPU\n", withWall / baseWall, withCpu / baseCpu);
    std::printf("  goal: under 500 ms -> %s\n", withWall < 500.0 ? "met" : "NOT met");
    return 0;
}
