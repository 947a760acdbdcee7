#pragma once

// How nivara-cli answers SIGINT, SIGTERM and SIGHUP (Ctrl+C, kill, a closed
// terminal): never by leaving a half-written file behind.
class CCliSignals {
public:
    // A run: the first signal asks the run to stop (StopRequested); every
    // later one only prints "saving, please wait", so the stop, the last
    // blocks and the final save all complete.
    static void ForRun();
    // A file write (convert): a signal removes the temporary files not
    // finished yet, then ends the process as the signal would have.
    static void ForWrite();
    [[nodiscard]] static bool StopRequested();
    // Once at start-up: a file-size limit makes writes fail with an error
    // (which is reported) instead of killing the process.
    static void IgnoreFileSizeSignal();
};
