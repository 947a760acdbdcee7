#include "CCliSignals.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

#include "files/CBufferedFile.h"

namespace {

constexpr int Handled[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<bool> g_stop{false};

extern "C" void OnRunSignal(int) {
    if (!g_stop.exchange(true)) {
        return;
    }
    static constexpr char Wait[] = "\nnivara-cli: saving, please wait\n";
    (void)!::write(STDERR_FILENO, Wait, sizeof Wait - 1);
}

extern "C" void OnWriteSignal(int signal) {
    CBufferedFile::RemoveTemporaries();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void Install(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    for (int signal : Handled) {
        sigaddset(&action.sa_mask, signal);
    }
    for (int signal : Handled) {
        sigaction(signal, &action, nullptr);
    }
}

}  // namespace

void CCliSignals::ForRun() {
    g_stop.store(false);
    Install(&OnRunSignal);
}

void CCliSignals::ForWrite() { Install(&OnWriteSignal); }

bool CCliSignals::StopRequested() { return g_stop.load(); }

void CCliSignals::IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }
