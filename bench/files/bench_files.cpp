// Speed and memory of the pulse files against naive baselines measured in
// the same run: 100,000,000 words (400 MB) in the page cache.
//   bench_files [WORDS] [FOLDER]        (defaults: 100000000, /tmp)
// The big files are written into a fresh folder under FOLDER and deleted.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

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

// Best of a few runs; `prepare` runs untimed before each (deleting targets).
double Best(const std::function<void()>& work, const std::function<void()>& prepare = [] {}) {
    double best = 1e30;
    for (int i = 0; i < Repeats; ++i) {
        prepare();
        best = std::min(best, Seconds(work));
    }
    return best;
}

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "bench_files: %s failed\n", what);
        std::exit(1);
    }
}

void Remove(const std::string& path) { std::remove(path.c_str()); }

// ------------------------------------------------------------- baselines

void PlainWrite(const std::string& path, const uint32_t* words, uint32_t count) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    Require(file != nullptr && std::fwrite(words, 4, count, file) == count && std::fclose(file) == 0, "fwrite");
}

void PlainRead(const std::string& path, uint32_t count) {
    std::unique_ptr<uint32_t[]> words(new uint32_t[count]);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    Require(file != nullptr && std::fread(words.get(), 4, count, file) == count, "fread");
    std::fclose(file);
    Require(words[count - 1] != 0x12345678 || words[0] != 1, "fread use");
}

void NaiveTextWrite(const std::string& path, const uint32_t* words, uint32_t count) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    Require(file != nullptr, "naive create");
    for (uint32_t i = 0; i < count; ++i) {
        std::fprintf(file, "%08X", words[i]);
        std::fputs(i % 10 == 9 || i + 1 == count ? "\r\n" : ",", file);
    }
    Require(std::fclose(file) == 0, "naive write");
}

void NaiveTextRead(const std::string& path, uint32_t* words, uint32_t count) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    Require(file != nullptr, "naive open");
    char* line = nullptr;
    std::size_t capacity = 0;
    uint32_t stored = 0;
    while (getline(&line, &capacity, file) > 0 && stored < count) {
        char* p = line;
        while (*p != '\r' && *p != '\n' && *p != '\0' && stored < count) {
            char* end = nullptr;
            words[stored++] = static_cast<uint32_t>(std::strtoul(p, &end, 16));
            p = *end == ',' ? end + 1 : end;
        }
    }
    std::free(line);
    std::fclose(file);
    Require(stored == count, "naive read count");
}

// ------------------------------------------------------------- ours

struct DOCUMENT {
    CLogicDocument Document{"/tmp"};
    CWindowRecords Records{"Signal"};
    CHeadlessFileWindow Window;
};

long PeakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// Child mode: load one file into a fresh document and print the peak.
int PeakOfLoad(const std::string& path) {
    DOCUMENT d;
    const long before = PeakKilobytes();
    Require(ReadPulseFile(d.Document, d.Records, d.Window, path).Ok, "load for peak");
    const uint32_t words = d.Document.Memory(d.Document.Condition().Direction)->Length();
    std::printf("%ld %ld %u\n", before, PeakKilobytes(), words);
    return 0;
}

void ReportPeak(const char* self, const std::string& path, const char* what) {
    const std::string command = std::string(self) + " --peak " + path;
    std::FILE* pipe = popen(command.c_str(), "r");
    long before = 0;
    long peak = 0;
    unsigned words = 0;
    Require(pipe != nullptr && std::fscanf(pipe, "%ld %ld %u", &before, &peak, &words) == 3, "peak child");
    pclose(pipe);
    const double memoryMb = words * 4.0 / (1 << 20);
    const double peakMb = peak / 1024.0;
    std::printf("peak while loading %-4s VmHWM %.1f MB = memory %.1f MB + %.1f MB (before the load %.1f MB)\n",
                what, peakMb, memoryMb, peakMb - memoryMb, before / 1024.0);
}


}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--peak") {
        return PeakOfLoad(argv[2]);
    }
    const uint32_t count = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 100000000;
    std::string folder = std::string(argc > 2 ? argv[2] : "/tmp") + "/nivara-bench-XXXXXX";
    Require(::mkdtemp(folder.data()) != nullptr, "bench folder");
    const std::string raw = folder + "/raw.bin", naive = folder + "/naive.csv";
    const std::string vpb = folder + "/a.vpb", csv = folder + "/a.csv";
    const std::string cliCsv = folder + "/cli.csv", cliVpb = folder + "/cli.vpb";

    DOCUMENT source;
    Require(source.Document.SetSize(DIRECTION_GENERATING, count, 1), "memory");
    uint32_t* words = source.Document.GeneratingMemory().Data();
    uint32_t x = 2463534242U;
    for (uint32_t i = 0; i < count; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        words[i] = x;
    }
    const double mw = count / 1e6;
    std::printf("%u words (%.0f MB), best of %d\n", count, count * 4.0 / 1e6, Repeats);

    const double tFwrite = Best([&] { PlainWrite(raw, words, count); }, [&] { Remove(raw); });
    const double tFread = Best([&] { PlainRead(raw, count); });
    const double tVpbSave = Best([&] { Require(WritePulseFile(source.Document, source.Records, source.Window, vpb).Ok, "vpb save"); },
                                 [&] { Remove(vpb); });
    const double tVpbLoad = Best([&] {
        DOCUMENT d;
        Require(ReadPulseFile(d.Document, d.Records, d.Window, vpb).Ok, "vpb load");
    });
    std::printf("plain fwrite %.3f s, plain fread %.3f s\n", tFwrite, tFread);
    std::printf(".vpb save %.3f s = %.2fx fwrite (goal <= 1.5x)\n", tVpbSave, tVpbSave / tFwrite);
    std::printf(".vpb load %.3f s = %.2fx fread  (goal <= 1.5x)\n", tVpbLoad, tVpbLoad / tFread);
    Remove(raw);

    const double tNaiveWrite = Best([&] { NaiveTextWrite(naive, words, count); }, [&] { Remove(naive); });
    // Fresh memory each time, as a load into a new document; and into memory
    // that is already there, which leaves the parsing alone (page faults
    // are expensive on this machine: a fresh 400 MB costs about as much as
    // reading the whole file).
    const double tNaiveRead = Best([&] {
        std::unique_ptr<uint32_t[]> fresh(new uint32_t[count]);
        NaiveTextRead(naive, fresh.get(), count);
    });
    std::unique_ptr<uint32_t[]> warm(new uint32_t[count]);
    std::memset(warm.get(), 0, std::size_t{count} * 4);
    const double tNaiveReadWarm = Best([&] { NaiveTextRead(naive, warm.get(), count); });
    Remove(naive);
    const double tCsvSave = Best([&] { Require(WritePulseFile(source.Document, source.Records, source.Window, csv).Ok, "csv save"); },
                                 [&] { Remove(csv); });
    const double tCsvLoad = Best([&] {
        DOCUMENT d;
        Require(ReadPulseFile(d.Document, d.Records, d.Window, csv).Ok, "csv load");
        Require(std::memcmp(d.Document.GeneratingMemory().Data(), words, std::size_t{count} * 4) == 0, "csv words");
    });
    DOCUMENT sized;
    Require(sized.Document.SetSize(DIRECTION_GENERATING, count, 1), "sized memory");
    const double tCsvLoadWarm = Best([&] {
        Require(ReadPulseFile(sized.Document, sized.Records, sized.Window, csv).Ok, "csv load");
    });
    std::printf("naive text writer %.3f s (%.1f M words/s), naive reader %.3f s (%.1f M words/s), "
                "into existing memory %.3f s (%.1f M words/s)\n",
                tNaiveWrite, mw / tNaiveWrite, tNaiveRead, mw / tNaiveRead, tNaiveReadWarm, mw / tNaiveReadWarm);
    std::printf(".csv save %.3f s = %.1f M words/s = %.1fx naive (goal >= 200 M/s, >= 13x)\n", tCsvSave,
                mw / tCsvSave, tNaiveWrite / tCsvSave);
    std::printf(".csv load %.3f s = %.1f M words/s = %.1fx naive (goal >= 135 M/s, >= 9x; includes the memory)\n",
                tCsvLoad, mw / tCsvLoad, tNaiveRead / tCsvLoad);
    std::printf(".csv load into a document already that size %.3f s = %.1f M words/s = %.1fx naive into existing memory\n",
                tCsvLoadWarm, mw / tCsvLoadWarm, tNaiveReadWarm / tCsvLoadWarm);

    ReportPeak(argv[0], vpb, ".vpb");
    ReportPeak(argv[0], csv, ".csv");

    // nivara-cli convert against load + save in one process.
    const double tLoadSaveToCsv = Best([&] {
        DOCUMENT d;
        Require(ReadPulseFile(d.Document, d.Records, d.Window, vpb).Ok, "load");
        Require(WritePulseFile(d.Document, d.Records, d.Window, cliCsv).Ok, "save");
    }, [&] { Remove(cliCsv); });
    Remove(cliCsv);
    const double tCliToCsv = Best([&] { Require(std::system((std::string(NIVARA_CLI) + " convert " + vpb + " " + cliCsv).c_str()) == 0, "cli"); },
                                  [&] { Remove(cliCsv); });
    const double tLoadSaveToVpb = Best([&] {
        DOCUMENT d;
        Require(ReadPulseFile(d.Document, d.Records, d.Window, csv).Ok, "load");
        Require(WritePulseFile(d.Document, d.Records, d.Window, cliVpb).Ok, "save");
    }, [&] { Remove(cliVpb); });
    Remove(cliVpb);
    const double tCliToVpb = Best([&] { Require(std::system((std::string(NIVARA_CLI) + " convert " + csv + " " + cliVpb).c_str()) == 0, "cli"); },
                                  [&] { Remove(cliVpb); });
    std::printf("convert .vpb -> .csv: nivara-cli %.3f s, load + save %.3f s = %.2fx (goal <= 1.2x)\n", tCliToCsv,
                tLoadSaveToCsv, tCliToCsv / tLoadSaveToCsv);
    std::printf("convert .csv -> .vpb: nivara-cli %.3f s, load + save %.3f s = %.2fx (goal <= 1.2x)\n", tCliToVpb,
                tLoadSaveToVpb, tCliToVpb / tLoadSaveToVpb);

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
