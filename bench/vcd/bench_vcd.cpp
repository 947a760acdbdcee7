// Value change dump export and import of a 32-bit counter, side by side with
// the logic analyser program's own export of the same words (when it is
// installed), and the peak memory of each direction.
//   bench_vcd [WORDS] [FOLDER]        (defaults: 10000000, /tmp)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CHeadlessFileWindow.h"
#include "files/CVcdReader.h"
#include "files/CVcdWriter.h"

namespace {
// The children's own timings come back through a pipe.
int g_pipe[2] = {-1, -1};
double g_export = 0;
double g_import = 0;

void Report(int which, double seconds) {
    const double message[2] = {static_cast<double>(which), seconds};
    (void)!::write(g_pipe[1], message, sizeof message);
}

void Collect() {
    double message[2];
    while (::read(g_pipe[0], message, sizeof message) == static_cast<ssize_t>(sizeof message)) {
        if (message[0] == 0) g_export = message[1];
        if (message[0] == 1) g_import = message[1];
        break;
    }
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Peak resident kilobytes of a child that runs `work`, and its time.
double InChild(const std::function<void()>& work, long& peakKb) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        std::fflush(stdout);
        std::_Exit(0);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    peakKb = usage.ru_maxrss;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) Collect();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

int main(int argc, char** argv) {
    const uint32_t words = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 10000000U;
    const std::string folder = (argc > 2 ? argv[2] : "/tmp") + std::string("/bench_vcd");
    std::filesystem::create_directories(folder);
    const std::string vcd = folder + "/counter.vcd";

    if (::pipe(g_pipe) != 0) return 1;
    long baseKb = 0;
    InChild([&] {
        CLogicDocument document("/tmp");
        document.Condition().Direction = DIRECTION_GENERATING;
        if (!document.SetSize(DIRECTION_GENERATING, words, 1)) std::_Exit(1);
        for (uint32_t i = 0; i < words; ++i) document.GeneratingMemory().Data()[i] = i;
        Report(2, 0);
    }, baseKb);

    long exportKb = 0;
    const double exportSeconds = InChild([&] {
        CLogicDocument document("/tmp");
        CWindowRecords records("Signal");
        document.Condition().Direction = DIRECTION_GENERATING;
        if (!document.SetSize(DIRECTION_GENERATING, words, 1)) std::_Exit(1);
        for (uint32_t i = 0; i < words; ++i) document.GeneratingMemory().Data()[i] = i;
        document.SetClock(DIRECTION_GENERATING, 1, 3);
        const double seconds = Seconds([&] {
            if (!CVcdWriter::Write(document, records, vcd, "bench")) std::_Exit(1);
        });
        std::printf("export alone     %8.3f s  (%.0f M words/s)\n", seconds, words / seconds / 1e6);
        Report(0, seconds);
    }, exportKb);

    long importKb = 0;
    const double importSeconds = InChild([&] {
        CLogicDocument document("/tmp");
        CWindowRecords records("Signal");
        CHeadlessFileWindow window;
        std::vector<std::string> warnings;
        const double seconds = Seconds([&] {
            if (!CVcdReader::Read(document, records, window, vcd, 0, warnings)) std::_Exit(1);
        });
        std::printf("import alone     %8.3f s  (%.0f M words/s)\n", seconds, words / seconds / 1e6);
        Report(1, seconds);
    }, importKb);
    std::printf("dump size        %8.1f MB\n", std::filesystem::file_size(vcd) / 1e6);
    std::printf("peak memory: memory alone %ld kB, export %ld kB (+%ld), import %ld kB (+%ld)\n", baseKb, exportKb,
                exportKb - baseKb, importKb, importKb - baseKb);
    // The children's times include making the document; the ratio is of the
    // file steps alone (goal: import at most 1.5 x the export).
    std::printf("import / export  %8.2f  (whole children: %.3f s / %.3f s)\n", g_import / g_export, importSeconds,
                exportSeconds);

    // The same words through the logic analyser program, when it is there.
    if (std::system("command -v sigrok-cli > /dev/null 2>&1") == 0) {
        const std::string binary = folder + "/counter.bin";
        {
            std::ofstream out(binary, std::ios::binary);
            std::vector<uint32_t> block(1 << 20);
            for (uint32_t at = 0; at < words; at += static_cast<uint32_t>(block.size())) {
                const uint32_t n = std::min<uint32_t>(static_cast<uint32_t>(block.size()), words - at);
                for (uint32_t i = 0; i < n; ++i) block[i] = at + i;
                out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n) * 4);
            }
        }
        const std::string command = "sigrok-cli -I binary:numchannels=32:samplerate=1000000 -i " + binary +
                                    " -O vcd -o " + folder + "/sigrok.vcd > /dev/null 2>&1";
        const double sigrok = Seconds([&] { (void)std::system(command.c_str()); });
        std::printf("analyser export  %8.3f s  (ours %.1f x faster)\n", sigrok, sigrok / g_export);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
