// Auto-save at the fastest clock of each board model, with the block files
// checked word by word against the simulated counter source, and the CPU
// time of a slow run with every run thread. Writes under /tmp and removes
// what it wrote.
//
//   bench_autosave [words [case [memory]]]
//     words: default 200,000,000; case: 1..6 runs only that one (0 all; 6 is
//     the block word-count patch with and without, at most 100,000,000 words);
//     memory: sampling memory and block size in words, default 1,000,000
//     (on a QDX-32C-PE the board writes into it, so it is the run's slack)
#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <fstream>
#include <map>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "device/CDeviceRun.h"
#include "device/CDriverBinding.h"
#include "device/CHeadlessGraph.h"
#include "device/CHeadlessWindow.h"
#include "device/CRunMessageLoop.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "document/IUserMessages.h"
#include "files/CCsvFileRW.h"
#include "files/CVpbFileRW.h"

namespace {

class CBenchMessages : public IUserMessages {
public:
    void ShowMessage(const std::string& text, MessageIcon) override {
        std::fprintf(stderr, "  message: %s\n", text.c_str());
        ++Count;
    }
    MessageAnswer AskYesNo(const std::string&, MessageIcon) override { return MessageAnswer::No; }
    MessageAnswer AskYesNoCancel(const std::string&, MessageIcon) override { return MessageAnswer::Cancel; }
    int Count = 0;
};

struct BENCH_CASE {
    const char* Device;
    const char* Type;
    uint32_t ClockNs;
    int16_t FileType;  // 0 csv, 1 vpb
};

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// CPU nanoseconds of every thread of this process, by thread id.
std::map<long, uint64_t> ThreadCpu() {
    std::map<long, uint64_t> cpu;
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) {
        return cpu;
    }
    while (dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        std::ifstream in(std::string("/proc/self/task/") + entry->d_name + "/schedstat");
        uint64_t ns = 0;
        if (in >> ns) {
            cpu[std::strtol(entry->d_name, nullptr, 10)] = ns;
        }
    }
    closedir(tasks);
    return cpu;
}

// Words of every block, in order, must be 0, 1, 2, ...: returns the number checked, or -1.
int64_t CheckBlocks(const std::vector<std::string>& files, uint32_t blockWords) {
    std::vector<uint32_t> words(blockWords);
    uint64_t k = 0;
    for (const std::string& path : files) {
        uint32_t stored = 0;
        bool read = false;
        if (path.ends_with(".csv")) {
            CCsvFileRW file;
            read = file.OpenRead(path) && file.SkipToData() && file.ReadWords(words.data(), blockWords, stored);
        } else {
            CVpbFileRW file;
            CLogicDocument scratch("/tmp");
            PULSE_CONTENT content;
            read = file.OpenRead(path) && file.ReadHeader(scratch, content) && file.ReadWordCount(stored) &&
                   stored <= blockWords && file.ReadWords(words.data(), stored);
        }
        if (!read) {
            std::fprintf(stderr, "  %s: cannot read the block\n", path.c_str());
            return -1;
        }
        for (uint32_t i = 0; i < stored; ++i, ++k) {
            if (words[i] != static_cast<uint32_t>(k)) {
                std::fprintf(stderr, "  %s: word %u is %08X, expected %08X\n", path.c_str(), i, words[i],
                             static_cast<uint32_t>(k));
                return -1;
            }
        }
    }
    return static_cast<int64_t>(k);
}

struct BENCH_SETUP {
    CDriverBinding& Binding;
    CBenchMessages Messages;
    CRunMessageLoop Loop;
    CHeadlessGraph Graph;
    CHeadlessWindow Window{Loop};
    CLogicDocument Document;
    CWindowRecords Records{"Signal"};

    BENCH_SETUP(CDriverBinding& binding, const std::string& folder) : Binding(binding), Document(folder) {
        (void)Binding.SetMessagePoster(&CRunMessageLoop::DriverPost, &Loop);
    }
    ~BENCH_SETUP() { (void)Binding.SetMessagePoster(nullptr, nullptr); }
    [[nodiscard]] CDeviceRun::LINKS Links() {
        return {Document, Records, Graph, Window, Loop, Messages};
    }
};

void Configure(CLogicDocument& document, const BENCH_CASE& c, uint64_t words, uint32_t memoryWords) {
    document.SetDevice(c.Type, c.Device);
    LOGIC_CONDITION& condition = document.Condition();
    condition.Direction = DIRECTION_SAMPLING;
    (void)document.SetSize(DIRECTION_SAMPLING, memoryWords, 1);
    DIRECTION_GROUP& group = condition.SamplingGroup;
    group.ClockType = 1;
    group.Clock = c.ClockNs;
    group.ClockUnit = 4;
    group.StartTrigger = 1;
    group.StopTrigger = 4;
    group.StartPosition = 0;
    group.StopPosition = static_cast<uint32_t>(words - 1);
    group.RepeatCount = 1;
    condition.AutoSave = 1;
    condition.AutoSaveFileType = c.FileType;
}

bool RunCase(CDriverBinding& binding, const BENCH_CASE& c, uint64_t words, uint32_t memoryWords,
             const std::filesystem::path& root) {
    const std::filesystem::path folder = root / (std::string(c.Device) + (c.FileType ? "-vpb" : "-csv"));
    BENCH_SETUP setup(binding, folder.string());
    Configure(setup.Document, c, words, memoryWords);
    CDeviceRun run(binding.RunCalls(), setup.Links());
    if (run.OpenDevice(c.Device) != 0) {
        return false;
    }
    const auto start = std::chrono::steady_clock::now();
    run.StartCommand();
    setup.Loop.RunUntil(run, [&] { return !run.RunActive() && !run.ThreadsAlive(); }, std::chrono::minutes(5));
    setup.Loop.DispatchPending(run);
    const double elapsed = Seconds(std::chrono::steady_clock::now() - start);
    uint64_t bytes = 0;
    for (const std::string& path : setup.Document.AutoSavedFiles) {
        bytes += std::filesystem::file_size(path);
    }
    const uint32_t count = setup.Document.LastCount.load();
    const int64_t checked = CheckBlocks(setup.Document.AutoSavedFiles, memoryWords);
    const bool complete = setup.Messages.Count == 0 && count == words && checked == static_cast<int64_t>(words);
    std::printf("%-10s %-4s clock %3u ns (%5.1f Mwords/s), blocks of %u words: %llu words in %.2f s = %.1f Mwords/s, %zu blocks, "
                "%.0f MB written at %.0f MB/s, %s\n",
                c.Type, c.FileType ? "vpb" : "csv", c.ClockNs, 1000.0 / c.ClockNs, memoryWords,
                static_cast<unsigned long long>(checked < 0 ? 0 : checked), elapsed,
                double(count) / elapsed / 1e6, setup.Document.AutoSavedFiles.size(), double(bytes) / 1e6,
                double(bytes) / 1e6 / elapsed,
                complete ? "every word checked" : "INCOMPLETE (overflow, lost or wrong words)");
    std::fflush(stdout);
    run.CloseDevice();
    std::filesystem::remove_all(folder);
    return complete;
}

// A 1 ms clock with the copy, monitor and auto-save threads. The threads a
// start creates are, in order, the board library's transfer thread and the
// copy, monitor and auto-save threads; the window thread is this one.
void CpuCase(CDriverBinding& binding, const std::filesystem::path& root) {
    const std::filesystem::path folder = root / "cpu";
    BENCH_SETUP setup(binding, folder.string());
    Configure(setup.Document, {"DIO000", "QDX-32A-PE", 1, 0}, 1000000, 1000000);
    LOGIC_CONDITION& condition = setup.Document.Condition();
    condition.SamplingGroup.ClockUnit = 2;
    condition.SamplingGroup.StopTrigger = 1;
    condition.MonitorMode = 2;
    condition.MonitorMethod = 1;
    CDeviceRun run(binding.RunCalls(), setup.Links());
    if (run.OpenDevice("DIO000") != 0) {
        return;
    }
    // For scale: what a thread that only sleeps 0.5 ms in a loop costs here.
    std::atomic<bool> stopReference{false};
    std::atomic<long> referenceTid{0};
    std::thread reference([&] {
        referenceTid.store(static_cast<long>(gettid()));
        while (!stopReference.load()) {
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    });
    while (referenceTid.load() == 0) {
        std::this_thread::yield();
    }
    const std::map<long, uint64_t> before = ThreadCpu();
    run.StartCommand();
    std::map<long, uint64_t> startCpu = ThreadCpu();
    const auto start = std::chrono::steady_clock::now();
    setup.Loop.RunUntil(run, [] { return false; }, std::chrono::seconds(10));
    const std::map<long, uint64_t> endCpu = ThreadCpu();
    const double wall = Seconds(std::chrono::steady_clock::now() - start);
    std::vector<long> created;
    for (const auto& [tid, ns] : endCpu) {
        if (before.count(tid) == 0 && tid != referenceTid.load()) {
            created.push_back(tid);
        }
    }
    std::sort(created.begin(), created.end());
    const auto percent = [&](long tid) {
        return 100.0 * double(endCpu.at(tid) - startCpu[tid]) / (wall * 1e9);
    };
    const char* names[] = {"board library", "copy", "monitor", "auto-save"};
    double application = percent(static_cast<long>(gettid()));
    std::printf("1 ms clock, %.1f s: window thread %.2f %%", wall, application);
    for (std::size_t i = 0; i < created.size(); ++i) {
        const double p = percent(created[i]);
        std::printf(", %s %.2f %%", i < 4 ? names[i] : "other", p);
        if (i > 0) {
            application += p;
        }
    }
    std::printf("\n  application threads (window, copy, monitor, auto-save): %.2f %% of one core;"
                " a thread that only sleeps 0.5 ms in a loop: %.2f %%\n",
                application, percent(referenceTid.load()));
    stopReference.store(true);
    reference.join();
    run.StopRun();
    setup.Loop.RunUntil(run, [&] { return !run.ThreadsAlive(); }, std::chrono::seconds(5));
    setup.Loop.DispatchPending(run);
    run.CloseDevice();
    std::filesystem::remove_all(folder);
}

// The word-count patch of a binary block (each written half handed to the
// disk and its count patched in place, so a block survives a killed process)
// against the same block writes without it, alternating, best of five. The
// words are written as the window thread writes them: half-buffers of
// 262,140 words into blocks of `memoryWords`.
void WordCountPatchCase(uint64_t words, uint32_t memoryWords, const std::filesystem::path& root) {
    constexpr uint32_t Half = 262140;
    std::filesystem::create_directories(root);
    std::vector<uint32_t> half(Half);
    for (uint32_t i = 0; i < Half; ++i) {
        half[i] = i;
    }
    CLogicDocument document(root.string());
    CWindowRecords records("Signal");
    document.Condition().Direction = DIRECTION_SAMPLING;
    const auto writeAll = [&](bool patch) {
        const auto start = std::chrono::steady_clock::now();
        uint64_t done = 0;
        int block = 0;
        while (done < words) {
            const std::string path = (root / ("patch-" + std::to_string(block++) + ".vpb")).string();
            std::filesystem::remove(path);
            CVpbFileRW file;
            if (!file.Create(path, false) ||
                !file.WriteHeader(document.Condition(), memoryWords, records.SamplingTable, records.SamplingBookmarks,
                                  0)) {
                return -1.0;
            }
            for (uint32_t inBlock = 0; inBlock < memoryWords && done < words;) {
                const auto piece = static_cast<uint32_t>(std::min<uint64_t>({Half, memoryWords - inBlock, words - done}));
                if (!file.AppendWords(half.data(), piece) || (patch && !file.CommitWords())) {
                    return -1.0;
                }
                inBlock += piece;
                done += piece;
            }
            if (!file.Finish()) {
                return -1.0;
            }
            std::filesystem::remove(path);
        }
        return Seconds(std::chrono::steady_clock::now() - start);
    };
    double with = 1e30;
    double without = 1e30;
    for (int round = 0; round < 5; ++round) {
        without = std::min(without, writeAll(false));
        with = std::min(with, writeAll(true));
    }
    const double rateWithout = double(words) / without / 1e6;
    const double rateWith = double(words) / with / 1e6;
    std::printf("word-count patch, %llu words in blocks of %u: without %.1f Mwords/s (%.3f s), with %.1f Mwords/s "
                "(%.3f s): costs %.2f %% of the block writing; at 50 Mwords/s the patch takes %.3f %% of the "
                "window thread\n",
                static_cast<unsigned long long>(words), memoryWords, rateWithout, without, rateWith, with,
                100.0 * (with - without) / without, 100.0 * (with - without) / (double(words) / 50e6));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const uint64_t words = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 200000000ULL;
    CBenchMessages bindingMessages;
    CDriverBinding binding(bindingMessages);
    binding.BindDriver();
    if (!binding.DriverBound()) {
        std::fprintf(stderr, "the board library is not bound\n");
        return 1;
    }
    // The simulated boards log every call for the tests; a bench does not need it.
    if (void* library = dlopen(CDriverBinding::LIBRARY_NAME, RTLD_NOW | RTLD_NOLOAD)) {
        if (auto enable = reinterpret_cast<int32_t (*)(int32_t)>(dlsym(library, "DioSimEnableCallLog"))) {
            enable(0);
        }
        dlclose(library);
    }
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("nivara-bench-" + std::to_string(getpid()));
    const BENCH_CASE cases[] = {
        {"DIO002", "QDX-32C-PE", 20, 1},  // 50,000,000 words/s
        {"DIO000", "QDX-32A-PE", 50, 1},  // 20,000,000 words/s
        {"DIO002", "QDX-32C-PE", 50, 0},  // text at 20,000,000 words/s
        {"DIO002", "QDX-32C-PE", 20, 0},  // text at 50,000,000 words/s
    };
    const int only = argc > 2 ? std::atoi(argv[2]) : 0;
    const uint32_t memoryWords = argc > 3 ? static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 1000000;
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        if (only == 0 || only == i + 1) {
            ok = RunCase(binding, cases[i], words, memoryWords, root) && ok;
        }
    }
    if (only == 0 || only == 5) {
        CpuCase(binding, root);
    }
    if (only == 0 || only == 6) {
        WordCountPatchCase(std::min<uint64_t>(words, 100000000), memoryWords, root / "patch");
    }
    std::filesystem::remove_all(root);
    return ok ? 0 : 2;
}
