// Opening a large pulse binary file from the Open command to the first
// painted page, the event loop's largest gap during it, the peak resident
// memory with the file open, and one zoom step on it.
//
//   bench_shell_open [words]      (default 100,000,000 words)
//
// The file is written by a child process first, so that the figures of the
// measuring process only hold what Open itself needs.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CHeadlessFileWindow.h"
#include "files/PulseFile.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CommandIds.h"
#include "document/IFileChooser.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraDoc.h"

namespace {

class PrintedMessages : public IUserMessages {
public:
    void ShowMessage(const std::string& text, MessageIcon) override { std::printf("message: %s\n", text.c_str()); }
    MessageAnswer AskYesNo(const std::string&, MessageIcon) override { return MessageAnswer::No; }
    MessageAnswer AskYesNoCancel(const std::string&, MessageIcon) override { return MessageAnswer::No; }
};

class FixedChooser : public IFileChooser {
public:
    explicit FixedChooser(std::string path) : m_path(std::move(path)) {}
    std::optional<std::string> ChooseFileToOpen(const std::string&, const std::string&) override { return m_path; }
    std::optional<std::string> ChooseFileToSave(const std::string&, const std::string&, const std::string&) override {
        return m_path;
    }

private:
    std::string m_path;
};

// Child process: a sampling recording of `words` counter words.
int WriteFile(const std::string& path, uint32_t words) {
    CLogicDocument document("/tmp");
    document.SetDevice("QDX-32A-PE", "DIO000");
    document.Condition().Direction = DIRECTION_SAMPLING;
    if (!document.SetSize(DIRECTION_SAMPLING, words, 1)) {
        return 1;
    }
    uint32_t* data = document.SamplingMemory().Data();
    for (uint32_t i = 0; i < words; ++i) {
        data[i] = i;
    }
    document.LastCount = words;
    CWindowRecords records("Signal");
    CHeadlessFileWindow window;
    return WritePulseFile(document, records, window, path).Ok ? 0 : 2;
}

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const uint32_t words = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 100000000u;
    QTemporaryDir folder;
    const std::string path = folder.filePath("large.vpb").toStdString();
    const pid_t child = fork();
    if (child == 0) {
        _exit(WriteFile(path, words));
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::printf("could not write %s\n", path.c_str());
        return 1;
    }

    // The read alone, in a child process of its own, for comparison.
    const pid_t reader = fork();
    if (reader == 0) {
        CLogicDocument document("/tmp");
        CWindowRecords records("Signal");
        CHeadlessFileWindow window;
        QElapsedTimer read;
        read.start();
        const bool ok = ReadPulseFile(document, records, window, path).Ok;
        std::printf("file read alone (no window): %.1f ms%s\n", static_cast<double>(read.nsecsElapsed()) / 1e6,
                    ok ? "" : " (failed)");
        _exit(ok ? 0 : 1);
    }
    waitpid(reader, &status, 0);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    PrintedMessages messages;
    FixedChooser chooser(path);
    CMainFrame frame(&messages);
    frame.SetFileChooser(&chooser);
    frame.resize(1920, 1080);
    frame.show();
    frame.OnFileNew();
    QApplication::processEvents();
    const long before = PeakResidentKb();

    // The event loop's largest gap: a 5 ms timer notes the time between its ticks.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 largestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        largestGap = std::max(largestGap, now - last);
        last = now;
    });
    clock.start();
    ticker.start(5);
    QTimer::singleShot(20, [&] {
        QElapsedTimer open;
        open.start();
        frame.OnCommand(cmd::FileOpen);
        CNivaraView* view = frame.ActiveChildFrame()->View();
        view->repaint();
        const double openMs = static_cast<double>(open.nsecsElapsed()) / 1e6;
        const uint32_t valid = frame.ActiveChildFrame()->Doc().Document().ValidSamplingLength();
        std::printf("words %u, shown %u\n", words, valid);
        std::printf("open to first painted page: %.1f ms\n", openMs);
        frame.ActiveChildFrame()->ActivateGraph();
        frame.UpdateCommandUI();
        QElapsedTimer zoom;
        zoom.start();
        frame.OnCommand(cmd::ZoomIn);
        view->repaint();
        std::printf("zoom in to repainted window: %.2f ms\n", static_cast<double>(zoom.nsecsElapsed()) / 1e6);
        zoom.restart();
        frame.OnCommand(cmd::ZoomOut);
        view->repaint();
        std::printf("zoom out to repainted window: %.2f ms\n", static_cast<double>(zoom.nsecsElapsed()) / 1e6);
        QTimer::singleShot(30, [&] { QApplication::quit(); });
    });
    app.exec();
    std::printf("largest event loop gap: %lld ms\n", static_cast<long long>(largestGap));
    std::printf("peak resident memory: %.1f MB before the file, %.1f MB with it open\n", before / 1024.0,
                PeakResidentKb() / 1024.0);
    if (CChildFrame* open = frame.ActiveChildFrame()) {
        open->Doc().Document().Saved = 1;
    }
    return 0;
}
