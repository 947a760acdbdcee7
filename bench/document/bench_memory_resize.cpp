// Resizing the sampling memory from 1,000,000 to 100,000,000 words and back:
// time against a plain allocate-zero-copy of the same size, the exact block
// size after each resize, and the peak resident memory during the grow.
#include <malloc.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "document/CLogicMemory.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

long PeakKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The plain way: allocate the new block, copy the old words, zero the rest.
double PlainGrow(uint32_t from, uint32_t to) {
    auto* old = static_cast<uint32_t*>(std::calloc(from, 4));
    std::memset(old, 1, static_cast<std::size_t>(from) * 4);
    const auto start = Clock::now();
    auto* grown = static_cast<uint32_t*>(std::malloc(static_cast<std::size_t>(to) * 4));
    std::memcpy(grown, old, static_cast<std::size_t>(from) * 4);
    std::memset(grown + from, 0, static_cast<std::size_t>(to - from) * 4);
    std::free(old);
    const double seconds = Seconds(start);
    // Keep the compiler from dropping the copy.
    volatile uint32_t sink = grown[from - 1] + grown[to - 1];
    (void)sink;
    std::free(grown);
    return seconds;
}

}  // namespace

int main() {
    constexpr uint32_t Small = 1000000;
    constexpr uint32_t Large = 100000000;

    const double plain = PlainGrow(Small, Large);

    CLogicMemory memory(Small);
    std::memset(memory.Data(), 0x5A, static_cast<std::size_t>(Small) * 4);
    const long before = ResidentKb();
    ResetPeak();
    auto start = Clock::now();
    if (!memory.Resize(Large)) {
        std::fprintf(stderr, "resize failed\n");
        return 1;
    }
    const double grow = Seconds(start);
    const long peak = PeakKb();
    const std::size_t grownBlock = malloc_usable_size(memory.Data());

    start = Clock::now();
    if (!memory.Resize(Small)) {
        return 1;
    }
    const double shrink = Seconds(start);
    const std::size_t shrunkBlock = malloc_usable_size(memory.Data());

    const long limitKb = before + static_cast<long>((static_cast<std::size_t>(Large) * 4) / 1024) + 1024;
    std::printf("plain allocate-zero-copy 1M->100M: %.3f s\n", plain);
    std::printf("resize 1M->100M: %.3f s (%.2fx plain)\n", grow, grow / plain);
    std::printf("resize 100M->1M: %.3f s\n", shrink);
    std::printf("block after grow: %zu bytes for %u words (%s)\n", grownBlock, Large,
                grownBlock - static_cast<std::size_t>(Large) * 4 < 4096 ? "exact to the page" : "LARGER");
    std::printf("block after shrink: %zu bytes for %u words (%s)\n", shrunkBlock, Small,
                shrunkBlock - static_cast<std::size_t>(Small) * 4 < 4096 ? "exact to the page" : "LARGER");
    std::printf("resident before grow: %ld kB, peak during grow: %ld kB, limit old+new+1MB: %ld kB (%s)\n",
                before, peak, limitKb, peak <= limitKb ? "ok" : "OVER");
    return 0;
}
