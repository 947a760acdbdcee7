// Clock, continuous and offset patterns and a channel swap on a generating
// memory of 100,000,000 words, each with its undo record, beside a plain
// per-clock loop through the memory's checked accessors doing the same.
//   bench_patterns [WORDS]        (default 100000000)
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "document/CDataPatternList.h"
#include "document/CLogicDocument.h"
#include "graph/CEditHistory.h"
#include "patterns/CChannelSwap.h"
#include "patterns/CPatternCreator.h"

namespace {
// CPU seconds of the process (a loaded machine inflates wall time only).
double CpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Best of three, in CPU time.
double Best(const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        const double start = CpuSeconds();
        work();
        best = std::min(best, CpuSeconds() - start);
    }
    return best;
}
}  // namespace

int main(int argc, char** argv) {
    const uint32_t words = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 100000000U;
    CLogicDocument document("/tmp");
    if (!document.SetSize(DIRECTION_GENERATING, words, 1)) {
        std::fprintf(stderr, "cannot allocate %u words\n", words);
        return 1;
    }
    CLogicMemory& memory = document.GeneratingMemory();
    for (uint32_t i = 0; i < words; ++i) memory.Data()[i] = i;
    CEditHistory history(document);
    CDataPatternList patterns;

    PATTERN_PARAMETERS clock;
    clock.PatternKind = CPatternCreator::KindClock;
    clock.PatternChannel = 5;
    clock.ZeroClockCount = 3;
    clock.OneClockCount = 2;
    PATTERN_PARAMETERS continuous;
    continuous.PatternKind = CPatternCreator::KindContinuous;
    continuous.PatternChannel = 6;
    PATTERN_PARAMETERS offset;
    offset.PatternKind = CPatternCreator::KindOffset;
    offset.PatternChannel = 7;
    offset.PatternData = 1;
    PATTERN_PARAMETERS stored;
    auto run = [&](const PATTERN_PARAMETERS& p, const PATTERN_SOURCE& source) {
        CPatternCreator creator(memory, history, patterns);
        if (creator.Apply(p, source, stored) != PATTERN_OUTCOME::Applied) std::abort();
        history.Clear();  // each run measures one record, not a growing history
    };
    const double clockSeconds = Best([&] { run(clock, {}); });
    const double continuousSeconds = Best([&] { run(continuous, {false, 2, 100, 109}); });
    const double offsetSeconds = Best([&] { run(offset, {}); });
    const std::vector<SWAP_ENTRY> list = {{0, "0:a"}, {3, "3:b"}};
    const double swapSeconds = Best([&] {
        if (CChannelSwap::Swap(memory, history, list, 0, 1) != PATTERN_OUTCOME::Applied) std::abort();
        history.Clear();
    });
    // The naive way: one checked call per clock.
    const double naiveSeconds = Best([&] {
        for (uint32_t i = 0; i < words; ++i) {
            if (i % 5 < 3) memory.ClearBit(i, 5); else memory.SetBit(i, 5);
        }
    });
    std::printf("words: %u\n", words);
    std::printf("clock pattern + record      %7.1f ms  (naive per-clock loop without record %7.1f ms, %.1fx)\n",
                clockSeconds * 1e3, naiveSeconds * 1e3, naiveSeconds / clockSeconds);
    std::printf("continuous pattern + record %7.1f ms\n", continuousSeconds * 1e3);
    std::printf("offset + record             %7.1f ms\n", offsetSeconds * 1e3);
    std::printf("swap of two channels + record %5.1f ms\n", swapSeconds * 1e3);
    return 0;
}
