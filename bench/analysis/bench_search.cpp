// Speed of the pattern search against a naive clock-by-clock loop measured
// in the same run, and of Search All through block files against only
// reading those files.
//   bench_analysis [WORDS] [BLOCK WORDS] [FOLDER]   (defaults: 100000000, 10000000, /tmp)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/CFileSearchBlocks.h"
#include "analysis/CPatternScan.h"
#include "analysis/CPatternSearch.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CHeadlessFileWindow.h"
#include "files/PulseBinaryFile.h"
#include "files/PulseFile.h"

namespace {

constexpr int Repeats = 5;
constexpr int Blocks = 10;

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Best(const std::function<void()>& work, int repeats = Repeats) {
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
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

// Random words whose channel 5 is a clock (0101...): "0110" never occurs on it.
void Fill(uint32_t* words, uint32_t count) {
    uint32_t x = 2463534242U;
    for (uint32_t i = 0; i < count; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        words[i] = (x & ~(1u << 5)) | ((i & 1u) << 5);
    }
}

// The naive horizontal search: every clock shifts one bit into the window.
std::optional<uint32_t> NaiveHorizontal(const uint32_t* words, uint32_t count, int channel, uint32_t value,
                                        int length) {
    const uint32_t mask = length == 32 ? ~0u : (1u << length) - 1;
    uint32_t window = 0;
    for (uint32_t t = 0; t < count; ++t) {
        window = ((window << 1) | ((words[t] >> channel) & 1u)) & mask;
        if (t + 1 >= static_cast<uint32_t>(length) && window == value) {
            return t + 1 - length;
        }
    }
    return std::nullopt;
}

// The naive vertical search: every clock reads the block's rows one by one.
std::optional<uint32_t> NaiveVertical(const uint32_t* words, uint32_t count, const std::vector<int>& channels,
                                      uint32_t value) {
    for (uint32_t t = 0; t < count; ++t) {
        uint32_t v = 0;
        for (std::size_t l = 0; l < channels.size(); ++l) {
            v |= ((words[t] >> channels[l]) & 1u) << l;
        }
        if (v == value) {
            return t;
        }
    }
    return std::nullopt;
}

// The floor: reading every word once and folding them together.
uint32_t ReadAll(const uint32_t* words, uint32_t count) {
    uint32_t fold = 0;
    for (uint32_t t = 0; t < count; ++t) {
        fold |= words[t];
    }
    return fold;
}

void HorizontalAndVertical(const uint32_t* words, uint32_t count) {
    volatile uint32_t folded = 0;
    const double read = Best([&] { folded = ReadAll(words, count); });
    std::printf("reading every word once (memory floor): %.1f ms (%.2f Gwords/s)\n", read * 1e3, count / 1e9 / read);
    const uint32_t value = 0x6;  // "0110"
    volatile bool sink = false;
    const double naiveH = Best([&] { sink = NaiveHorizontal(words, count, 5, value, 4).has_value(); }, 2);
    Require(!sink, "naive horizontal miss");
    const CPatternSearch horizontal(5, value, 4);
    const double oursH = Best([&] { sink = horizontal.Forward(words, count, 0).has_value(); });
    Require(!sink, "horizontal miss");
    const CPatternSearch horizontal16(5, 0x5556, 16);  // misses only at the last of 16 bits
    const double oursH16 = Best([&] { sink = horizontal16.Forward(words, count, 0).has_value(); });
    Require(!sink, "horizontal 16 miss");
    const double backH = Best([&] { sink = horizontal.Backward(words, count, count - 1).has_value(); });
    Require(!sink, "backward miss");

    // Vertical: channel 0 cleared everywhere, the block {0, 6, 7, 8} asked for
    // channel 0 = 1: the key is possible, the data never shows it.
    std::unique_ptr<uint32_t[]> cleared(new uint32_t[count]);
    for (uint32_t t = 0; t < count; ++t) {
        cleared[t] = words[t] & ~1u;
    }
    const double naiveV2 =
        Best([&] { sink = NaiveVertical(cleared.get(), count, std::vector<int>{0, 6, 7, 8}, 1).has_value(); }, 2);
    Require(!sink, "naive vertical scan miss");
    const CPatternSearch vertical(std::vector<int>{0, 6, 7, 8}, 1);
    const double oursV = Best([&] { sink = vertical.Forward(cleared.get(), count, 0).has_value(); });
    Require(!sink, "vertical miss");
    const double backV = Best([&] { sink = vertical.Backward(cleared.get(), count, count - 1).has_value(); });
    Require(!sink, "vertical backward miss");

    const double mw = count / 1e9;
    std::printf("horizontal miss, \"0110\" on channel 5:  naive %7.1f ms (%.2f Gwords/s)  ours %6.1f ms "
                "(%.2f Gwords/s)  ratio %.1fx\n",
                naiveH * 1e3, mw / naiveH, oursH * 1e3, mw / oursH, naiveH / oursH);
    std::printf("horizontal miss, 16 bits:                          ours %6.1f ms (%.2f Gwords/s)  ratio %.1fx\n",
                oursH16 * 1e3, mw / oursH16, naiveH / oursH16);
    std::printf("horizontal miss, backward:                         ours %6.1f ms (%.2f Gwords/s)  ratio %.1fx\n",
                backH * 1e3, mw / backH, naiveH / backH);
    std::printf("vertical miss, 4 rows:                naive %7.1f ms (%.2f Gwords/s)  ours %6.1f ms "
                "(%.2f Gwords/s)  ratio %.1fx\n",
                naiveV2 * 1e3, mw / naiveV2, oursV * 1e3, mw / oursV, naiveV2 / oursV);
    std::printf("vertical miss, backward:                           ours %6.1f ms (%.2f Gwords/s)  ratio %.1fx\n",
                backV * 1e3, mw / backV, naiveV2 / backV);
    std::printf("vector unit: %s\n", CPatternScan::VectorUnitUsed() ? "yes" : "no");
}

struct DOCUMENT {
    CLogicDocument Document{"/tmp"};
    CWindowRecords Records{"Signal"};
    CHeadlessFileWindow Window;
};

void SearchAll(uint32_t blockWords, const std::string& parent) {
    std::string folder = parent + "/nivara-search-XXXXXX";
    Require(::mkdtemp(folder.data()) != nullptr, "bench folder");
    std::vector<std::string> paths;
    {
        DOCUMENT source;
        Require(source.Document.SetBufferSize(blockWords), "buffer");
        Require(source.Document.SetSize(DIRECTION_SAMPLING, blockWords, 1), "size");
        source.Document.Condition().Direction = DIRECTION_SAMPLING;
        source.Document.Condition().AutoSave = 1;
        source.Document.LastCount.store(blockWords);
        for (int b = 0; b < Blocks; ++b) {
            Fill(source.Document.SamplingMemory().Data(), blockWords);
            paths.push_back(folder + "/block" + std::to_string(b) + ".vpb");
            Require(WritePulseFile(source.Document, source.Records, source.Window, paths.back()).Ok, "write block");
        }
    }
    DOCUMENT d;
    Require(ReadPulseFile(d.Document, d.Records, d.Window, paths[0]).Ok, "first block");
    const double read = Best([&] {
        for (const std::string& path : paths) {
            Require(ReadPulseBinaryBlock(d.Document, d.Window, path).Ok, "read block");
        }
    }, 3);
    const CPatternSearch search(5, 0x6, 4);
    const double all = Best([&] {
        CFileSearchBlocks blocks(d.Document, d.Window, paths);
        Require(blocks.LoadBlock(0), "load block 0");
        const SEARCH_RESULT result = search.Run(blocks, 0, 0, true, true);
        Require(!result.Hit && !result.FailedBlock, "search all miss");
    }, 3);
    std::printf("Search All through %d blocks of %u words: reading only %.0f ms, Search All %.0f ms, ratio %.3f\n",
                Blocks, blockWords, read * 1e3, all * 1e3, all / read);
    std::filesystem::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
    const uint32_t count = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 100000000;
    const uint32_t blockWords = argc > 2 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 10000000;
    const std::string folder = argc > 3 ? argv[3] : "/tmp";
    std::unique_ptr<uint32_t[]> words(new uint32_t[count]);
    Fill(words.get(), count);
    std::printf("%u words (%.0f MB), best of %d\n", count, count * 4.0 / 1e6, Repeats);
    HorizontalAndVertical(words.get(), count);
    words.reset();
    SearchAll(blockWords, folder);
    return 0;
}
