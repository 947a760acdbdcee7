// Sustained sampling at the fastest internal clock of a board model:
//   QDX-32C-PE at 20 ns (50,000,000 words/s) into a 100,000,000-word buffer,
//   QDX-32A-PE at 50 ns (20,000,000 words/s) into a 1,048,576-word ring.
// Each run lasts 10 s (first argument: seconds). Once a second the count is
// compared with elapsed time x rate; at the end the CPU time of the library's
// threads (process CPU time less this thread's) is compared with wall time.
// Goals: count within 1 % of real time, library threads at most half a core.
#include <time.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "device/CDriverBinding.h"
#include "document/IUserMessages.h"

namespace {

class CPrintedMessages : public IUserMessages {
public:
    void ShowMessage(const std::string& text, MessageIcon) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    [[nodiscard]] MessageAnswer AskYesNo(const std::string&, MessageIcon) override { return MessageAnswer::No; }
    [[nodiscard]] MessageAnswer AskYesNoCancel(const std::string&, MessageIcon) override
    {
        return MessageAnswer::Cancel;
    }
};

[[nodiscard]] double CpuSeconds(clockid_t clock)
{
    timespec time{};
    clock_gettime(clock, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

struct BENCH_CASE {
    const char* Board;
    uint32_t ClockNs;
    uint32_t BufferWords;
};

struct BENCH_RESULT {
    double WorstDeviation = 0;  // relative, over the once-a-second checks
    double FinalDeviation = 0;
    double CoreShare = 0;  // library threads' CPU time / wall time
    uint64_t Words = 0;
};

using E = QDX_ENTRY_POINTS;

[[nodiscard]] bool SetUp(const CDriverBinding& driver, int16_t id, const BENCH_CASE& bench, uint32_t* buffer)
{
    bool ok = driver.Call(&E::DioResetDevice, id) == 0;
    ok = ok && driver.Call(&E::DioDmSetDirection, id, int16_t{1}) == 0;
    ok = ok && driver.Call(&E::DioDmSetStandAlone, id) == 0;
    ok = ok && driver.Call(&E::DioDmSetStartTrigger, id, int16_t{1}, int16_t{1}) == 0;
    ok = ok && driver.Call(&E::DioDmSetClockTrigger, id, int16_t{1}, int16_t{1}) == 0;
    ok = ok && driver.Call(&E::DioDmSetInternalClock, id, int16_t{1}, bench.ClockNs, int16_t{4}) == 0;
    ok = ok && driver.Call(&E::DioDmSetStopTrigger, id, int16_t{1}, int16_t{1}) == 0;
    ok = ok && driver.Call(&E::DioDmFifoReset, id, int16_t{4}) == 0;
    return ok && driver.Call(&E::DioDmSetBuffer, id, int16_t{1}, buffer, bench.BufferWords, int16_t{1}) == 0;
}

// Count and carry as one 64-bit word count (carry counts passes through the buffer).
[[nodiscard]] uint64_t WordsDone(const CDriverBinding& driver, int16_t id, uint32_t bufferWords)
{
    uint32_t writePointer = 0;
    uint32_t count = 0;
    uint32_t carry = 0;
    if (driver.Call(&E::DioDmGetWritePointer, id, int16_t{1}, &writePointer, &count, &carry) != 0) return 0;
    return static_cast<uint64_t>(carry) * bufferWords + writePointer;
}

[[nodiscard]] BENCH_RESULT Run(const CDriverBinding& driver, const BENCH_CASE& bench, int seconds)
{
    BENCH_RESULT result;
    int16_t id = -1;
    if (driver.Call(&E::DioInit, bench.Board, &id) != 0) return result;
    std::vector<uint32_t> buffer(bench.BufferWords, 0);
    if (!SetUp(driver, id, bench, buffer.data())) return result;

    const double rate = 1e9 / bench.ClockNs;
    const double processStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const double threadStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const auto start = std::chrono::steady_clock::now();
    (void)driver.Call(&E::DioDmTransferStart, id, int16_t{1});
    for (int second = 1; second <= seconds; ++second) {
        std::this_thread::sleep_until(start + std::chrono::seconds(second));
        const uint64_t words = WordsDone(driver, id, bench.BufferWords);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double deviation = std::fabs(static_cast<double>(words) - elapsed * rate) / (elapsed * rate);
        result.WorstDeviation = std::max(result.WorstDeviation, deviation);
        result.FinalDeviation = deviation;
        result.Words = words;
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double libraryCpu = (CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart) -
                              (CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - threadStart);
    (void)driver.Call(&E::DioDmTransferStop, id, int16_t{1});
    (void)driver.Call(&E::DioExit, id);
    result.CoreShare = libraryCpu / wall;
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    CPrintedMessages messages;
    CDriverBinding driver(messages);
    driver.BindDriver();
    if (!driver.DriverBound()) return 1;

    const BENCH_CASE cases[] = {{"DIO002", 20, 100000000}, {"DIO000", 50, 1048576}};
    bool met = true;
    for (const BENCH_CASE& bench : cases) {
        const BENCH_RESULT result = Run(driver, bench, seconds);
        const bool ok = result.Words > 0 && result.WorstDeviation <= 0.01 && result.CoreShare <= 0.5;
        met = met && ok;
        std::printf("%s %u ns into %u words, %d s: %llu words, count vs real time worst %.4f %% (final %.4f %%), "
                    "library threads %.1f %% of a core  [%s]\n",
                    bench.Board, bench.ClockNs, bench.BufferWords, seconds,
                    static_cast<unsigned long long>(result.Words), result.WorstDeviation * 100,
                    result.FinalDeviation * 100, result.CoreShare * 100, ok ? "met" : "NOT MET");
    }
    return met ? 0 : 1;
}
