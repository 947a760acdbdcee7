// Speed of the analyses against naive per-clock loops measured in the same run.
//   bench_analysis [WORDS] [FOLDER]        (defaults: 100000000, /tmp)
// The pulse file for nivara-cli is written into a fresh folder under FOLDER and deleted.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "analysis/CCompareRows.h"
#include "analysis/CEdgeCounter.h"
#include "analysis/CLogicOperation.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CHeadlessFileWindow.h"
#include "files/PulseFile.h"

namespace {

constexpr int Repeats = 3;

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Best(const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < Repeats; ++i) {
        best = std::min(best, Seconds(work));
    }
    return best;
}

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "bench_analysis: %s failed\n", what);
        std::exit(1);
    }
}

// The loops a first version would write: one clock at a time.
uint32_t NaiveEdges(const uint32_t* words, uint32_t count, int channel) {
    uint32_t edges = 0;
    for (uint32_t i = 0; i + 1 < count; ++i) {
        if (((words[i] >> channel) & 1U) == 0 && ((words[i + 1] >> channel) & 1U) == 1) {
            ++edges;
        }
    }
    return edges;
}

std::vector<uint32_t> NaiveAnd(const uint32_t* words, uint32_t count, const std::vector<int>& channels) {
    std::vector<uint32_t> result(count);  // one word per clock
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t value = 1;
        for (int channel : channels) {
            value &= (words[i] >> channel) & 1U;
        }
        result[i] = value;
    }
    return result;
}

std::vector<COMPARE_POSITION> NaiveCompare(const uint32_t* words, uint32_t count, int a, int b) {
    std::vector<COMPARE_POSITION> records;  // one record per differing clock
    for (uint32_t i = 0; i < count; ++i) {
        if (((words[i] >> a) & 1U) != ((words[i] >> b) & 1U)) {
            records.push_back({0, 1, i, i});
        }
    }
    return records;
}

int RunCli(const std::string& arguments) {
    const std::string command = std::string(NIVARA_CLI) + " " + arguments + " >/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Report(const char* what, double ours, double baseline, const char* baselineName, const char* extra = "") {
    std::printf("%-44s %9.2f ms   %-28s %9.2f ms   ratio %6.2fx %s\n", what, ours * 1e3, baselineName,
                baseline * 1e3, baseline / ours, extra);
}

}  // namespace

int main(int argc, char** argv) {
    const uint32_t count = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 100000000U;
    const std::filesystem::path folder =
        std::filesystem::path(argc > 2 ? argv[2] : "/tmp") / ("nivara-bench-analysis-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);

    CLogicDocument document("/tmp");
    CWindowRecords records("Signal");
    CHeadlessFileWindow window;
    Require(document.SetSize(DIRECTION_GENERATING, count, 1), "memory");
    uint32_t* words = document.GeneratingMemory().Data();
    std::mt19937 random(1);
    for (uint32_t i = 0; i < count; ++i) {
        words[i] = static_cast<uint32_t>(random());
    }
    std::printf("%u words (%u MB)\n", count, static_cast<unsigned>(count / 262144));

    // The memory read alone, the floor for every pass over the words.
    uint64_t sum = 0;
    const double readWords = Best([&] {
        uint64_t s = 0;
        for (uint32_t i = 0; i < count; ++i) {
            s += words[i];
        }
        sum = s;
    });
    std::printf("%-44s %9.2f ms   (%.2f G words/s, sum %llu)\n", "plain sum of the words (memory read)",
                readWords * 1e3, count / readWords / 1e9, static_cast<unsigned long long>(sum));

    // Rising edges.
    uint32_t ours = 0;
    uint32_t naive = 0;
    const double edgeTime = Best([&] { ours = CEdgeCounter::Count(words, 0, count - 1, 13, EDGE_KIND::Rising); });
    const double naiveEdgeTime = Best([&] { naive = NaiveEdges(words, count, 13); });
    Require(ours == naive, "edge count agreement");
    char rate[64];
    std::snprintf(rate, sizeof rate, "(%.2f G words/s)", count / edgeTime / 1e9);
    Report("rising edge count", edgeTime, naiveEdgeTime, "per-clock loop", rate);
    const double fallTime = Best([&] { ours = CEdgeCounter::Count(words, 0, count - 1, 31, EDGE_KIND::Falling); });
    std::snprintf(rate, sizeof rate, "(%.2f G words/s)", count / fallTime / 1e9);
    Report("falling edge count", fallTime, naiveEdgeTime, "per-clock loop (rising)", rate);

    // AND of four channels.
    const std::vector<int> channels = {2, 9, 17, 30};
    CPackedBits bits;
    std::vector<uint32_t> naiveBits;
    const double andTime = Best([&] { bits = CLogicOperation::Evaluate(words, count, LOGIC_OPERATION::And, channels); });
    const double naiveAndTime = Best([&] { naiveBits = NaiveAnd(words, count, channels); });
    uint64_t naiveOnes = 0;
    for (uint32_t v : naiveBits) {
        naiveOnes += v;
    }
    Require(bits.CountOnes() == naiveOnes, "logic agreement");
    char size[64];
    std::snprintf(size, sizeof size, "(result %.1f MB, naive %.1f MB)", bits.WordCount() * 8 / 1e6,
                  naiveBits.size() * 4 / 1e6);
    Report("AND of four channels", andTime, naiveAndTime, "per-clock loop", size);
    const double xorTime = Best([&] { bits = CLogicOperation::Evaluate(words, count, LOGIC_OPERATION::Xor, channels); });
    Report("XOR of four channels", xorTime, naiveAndTime, "per-clock loop (AND)");
    naiveBits = {};

    // Compare of two rows (random bits: about half the clocks differ).
    std::vector<COMPARE_POSITION> runs;
    std::vector<COMPARE_POSITION> naiveRecords;
    const double compareTime = Best([&] { runs = CCompareRows::Compare(words, 0, count - 1, 0, 1, {4, 5}); });
    const double naiveCompareTime = Best([&] { naiveRecords = NaiveCompare(words, count, 4, 5); });
    std::snprintf(size, sizeof size, "(%zu runs, naive %zu records)", runs.size(), naiveRecords.size());
    Report("compare of two rows, random data", compareTime, naiveCompareTime, "per-clock records", size);
    naiveRecords = {};
    // Rows that rarely differ, the usual case.
    for (uint32_t i = 0; i < count; ++i) {
        words[i] = (words[i] & ~0x30U) | ((i / 1000) & 1U ? 0x30U : 0U) | (i % 100000 == 7 ? 0x10U : 0U);
    }
    const double sparseTime = Best([&] { runs = CCompareRows::Compare(words, 0, count - 1, 0, 1, {4, 5}); });
    const double naiveSparseTime = Best([&] { naiveRecords = NaiveCompare(words, count, 4, 5); });
    std::snprintf(size, sizeof size, "(%zu runs)", runs.size());
    Report("compare of two rows, rare differences", sparseTime, naiveSparseTime, "per-clock records", size);
    naiveRecords = {};

    // nivara-cli count against reading the same file alone.
    const std::string file = (folder / "bench.vpb").string();
    Require(WritePulseFile(document, records, window, file).Ok, "write pulse file");
    Require(RunCli("dump " + file + " --count 0") == 0, "warm read");
    const double cliTime = Best([&] { Require(RunCli("count " + file + " --channel 13") == 0, "count"); });
    const double readTime = Best([&] { Require(RunCli("dump " + file + " --count 0") == 0, "read"); });
    Report("nivara-cli count (100M .vpb)", cliTime, readTime, "nivara-cli dump --count 0");
    std::printf("  count / read alone = %.3f (goal <= 1.3)\n", cliTime / readTime);
    std::filesystem::remove_all(folder);
    return 0;
}
