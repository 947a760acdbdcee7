// Transfers of the simulated boards driven through the bound operations
// alone, as the run control drives them.
#include <atomic>
#include <thread>
#include <vector>

#include "CBoundDriverTest.h"

namespace {

using TransferTest = CBoundDriverTest;
using namespace std::chrono_literals;

// Every word one more than the one before it (the counter input).
[[nodiscard]] bool Consecutive(const uint32_t* words, std::size_t count)
{
    for (std::size_t i = 1; i < count; ++i) {
        if (words[i] != words[i - 1] + 1) return false;
    }
    return true;
}

TEST_F(TransferTest, CompleteSamplingTransfer)
{
    const int16_t id = Open("DIO002");
    std::vector<uint32_t> buffer(4000, 0xFFFFFFFF);
    // The set-up sequence of a sampling run: stop after 3000 words at 1 us.
    ASSERT_EQ(Dio(&E::DioDmSetDirection, id, 1), 0);
    ASSERT_EQ(Dio(&E::DioDmSetStandAlone, id), 0);
    ASSERT_EQ(Dio(&E::DioDmSetStartTrigger, id, 1, 1), 0);
    ASSERT_EQ(Dio(&E::DioDmSetClockTrigger, id, 1, 1), 0);
    ASSERT_EQ(Dio(&E::DioDmSetInternalClock, id, 1, 1u, 3), 0);
    ASSERT_EQ(Dio(&E::DioDmSetStopTrigger, id, 1, 4), 0);
    ASSERT_EQ(Dio(&E::DioDmSetStopNumber, id, 1, 3000u), 0);
    ASSERT_EQ(Dio(&E::DioDmSetStopEvent, id, 1, kWindow), 0);
    ASSERT_EQ(Dio(&E::DioDmSetCountEvent, id, 1, 1000u, kWindow), 0);
    ASSERT_EQ(Dio(&E::DioDmFifoReset, id, 4), 0);
    ASSERT_EQ(Dio(&E::DioDmSetBuffer, id, 1, buffer.data(), 4000u, 1), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);

    POSTED_MESSAGE stopped;
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 10s, &stopped));
    EXPECT_EQ(stopped.WParam, static_cast<uintptr_t>(id));
    EXPECT_EQ(stopped.LParam, 1);
    uint32_t errors = 0;
    EXPECT_EQ(Status(id, 1, &errors), 0x05u);
    EXPECT_EQ(errors, 0u);
    uint32_t carry = 9;
    EXPECT_EQ(Count(id, 1, &carry), 3000u);
    EXPECT_EQ(carry, 0u);
    uint32_t writePointer = 0;
    uint32_t count = 0;
    ASSERT_EQ(Dio(&E::DioDmGetWritePointer, id, 1, &writePointer, &count, &carry), 0);
    EXPECT_EQ(writePointer, 3000u);
    for (uint32_t i = 0; i < 3000; ++i) ASSERT_EQ(buffer[i], i);
    EXPECT_EQ(buffer[3000], 0xFFFFFFFF);
    EXPECT_GE(m_queue.Count(kWindow, QDX_MSG_COUNT), 1u);

    // The end stays readable, a stop of an ended transfer answers 0 and
    // posts nothing more.
    EXPECT_EQ(Dio(&E::DioDmTransferStop, id, 1), 0);
    EXPECT_EQ(Count(id, 1), 3000u);
    EXPECT_EQ(Status(id, 1), 0x05u);
    EXPECT_FALSE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 50ms));
    // The next set-up clears them.
    ASSERT_EQ(Dio(&E::DioDmSetBuffer, id, 1, buffer.data(), 4000u, 1), 0);
    EXPECT_EQ(Count(id, 1), 0u);
    EXPECT_EQ(Status(id, 1), 0u);
}

TEST_F(TransferTest, CompleteGeneratingTransferRepeatsTheBuffer)
{
    const int16_t id = Open("DIO000");
    std::vector<uint32_t> memory(1000);
    for (uint32_t i = 0; i < memory.size(); ++i) memory[i] = 0xC0000000u | i;
    // Words 10 .. 509, twice.
    SetupTransfer(id, 2, memory.data() + 10, 500, 1000, 1, 3);
    ASSERT_EQ(Dio(&E::DioDmSetCountEvent, id, 2, 0xFFFFFFu, intptr_t{0}), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 2), 0);
    POSTED_MESSAGE stopped;
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 10s, &stopped));
    EXPECT_EQ(stopped.LParam, 2);
    uint32_t carry = 0;
    EXPECT_EQ(Count(id, 2, &carry), 1000u);
    EXPECT_EQ(carry, 2u);
    EXPECT_EQ(Status(id, 2), 0x05u);
    uint8_t top = 0;
    EXPECT_EQ(Dio(&E::DioEchoBackByte, id, 3, &top), 0);
    EXPECT_EQ(top, 0xC0);
    uint8_t low = 0;
    EXPECT_EQ(Dio(&E::DioEchoBackByte, id, 0, &low), 0);
    EXPECT_EQ(low, 509 & 0xFF);
    EXPECT_EQ(memory[10], 0xC000000Au);
}

TEST_F(TransferTest, RingWrapsWithCarryAndWritePointer)
{
    const int16_t id = Open("DIO002");
    std::vector<uint32_t> ring(1000, 0);
    SetupTransfer(id, 1, ring.data(), 1000, 2500);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 10s));
    uint32_t writePointer = 0;
    uint32_t count = 0;
    uint32_t carry = 0;
    ASSERT_EQ(Dio(&E::DioDmGetWritePointer, id, 1, &writePointer, &count, &carry), 0);
    EXPECT_EQ(count, 2500u);
    EXPECT_EQ(carry, 2u);
    EXPECT_EQ(writePointer, 500u);
    EXPECT_EQ(ring[0], 2000u);
    EXPECT_EQ(ring[499], 2499u);
    EXPECT_EQ(ring[500], 1500u);
    EXPECT_EQ(ring[999], 1999u);
}

TEST_F(TransferTest, CountAndWritePointerAgreeWhileRunning)
{
    const int16_t id = Open("DIO002");
    // A ring the board does not lap while the test looks (a lapped ring
    // is overwritten under the reader, as on the real bus).
    constexpr uint32_t kRing = 1u << 20;
    std::vector<uint32_t> ring(kRing, 0);
    SetupTransfer(id, 1, ring.data(), kRing, 0, 1, 3);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    uint32_t lastCount = 0;
    for (int poll = 0; poll < 50; ++poll) {
        uint32_t writePointer = 0;
        uint32_t count = 0;
        uint32_t carry = 0;
        ASSERT_EQ(Dio(&E::DioDmGetWritePointer, id, 1, &writePointer, &count, &carry), 0);
        EXPECT_EQ(writePointer, count % kRing);
        EXPECT_EQ(carry, count / kRing);
        EXPECT_GE(count, lastCount);
        if (count > 0) {
            EXPECT_EQ(ring[writePointer == 0 ? kRing - 1 : writePointer - 1], count - 1);
        }
        lastCount = count;
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(Status(id, 1), 0x02u);
    ASSERT_EQ(Dio(&E::DioDmTransferStop, id, 1), 0);
    EXPECT_EQ(Status(id, 1), 0x01u);
    EXPECT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 1s));
    EXPECT_GT(Count(id, 1), lastCount);
}

TEST_F(TransferTest, ExternalEdgesStartAndStop)
{
    const int16_t id = Open("DIO001");
    std::vector<uint32_t> ring(100000, 0);
    SetupTransfer(id, 1, ring.data(), 100000, 0, 10, 3, 2);
    ASSERT_EQ(Dio(&E::DioDmSetStopTrigger, id, 1, 3), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(Status(id, 1), 0u);
    EXPECT_EQ(Count(id, 1), 0u);
    // A falling edge does not start a rising-edge start condition.
    ASSERT_EQ(m_sim.FireTrigger("DIO001", QDX_SIM_LINE_START, QDX_SIM_EDGE_FALLING), 0);
    std::this_thread::sleep_for(5ms);
    EXPECT_EQ(Count(id, 1), 0u);
    ASSERT_EQ(m_sim.FireTrigger("DIO001", QDX_SIM_LINE_START, QDX_SIM_EDGE_RISING), 0);
    ASSERT_TRUE(WaitUntil([&] { return Count(id, 1) > 100; }));
    EXPECT_EQ(Status(id, 1), 0x02u);
    ASSERT_EQ(m_sim.FireTrigger("DIO001", QDX_SIM_LINE_STOP, QDX_SIM_EDGE_FALLING), 0);
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 10s));
    EXPECT_EQ(Status(id, 1), 0x05u);
    const uint32_t count = Count(id, 1);
    // The first word is the input at the moment of the start edge (about 20 ms in).
    EXPECT_GT(ring[0], 1000u);
    EXPECT_TRUE(Consecutive(ring.data(), count));
}

TEST_F(TransferTest, BothTriggerLinesAtOnceIsAnError)
{
    const int16_t id = Open("DIO002");
    std::vector<uint32_t> ring(1000, 0);
    SetupTransfer(id, 1, ring.data(), 1000, 0, 1, 3, 2);
    ASSERT_EQ(Dio(&E::DioDmSetStopTrigger, id, 1, 2), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    ASSERT_EQ(m_sim.FireTrigger("DIO002", QDX_SIM_LINE_BOTH, QDX_SIM_EDGE_RISING), 0);
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 10s));
    uint32_t errors = 0;
    EXPECT_EQ(Status(id, 1, &errors), 0x05u);
    EXPECT_EQ(errors, 0x08u);
}

TEST_F(TransferTest, PatternMatchStartsAtTheMatchingWord)
{
    const int16_t id = Open("DIO002");
    std::vector<uint32_t> ring(1000, 0);
    SetupTransfer(id, 1, ring.data(), 1000, 500, 1, 3, 4);
    ASSERT_EQ(Dio(&E::DioDmSetStartPattern, id, 0x00001234u, 0x0000FFFFu), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 10s));
    EXPECT_EQ(Count(id, 1), 500u);
    EXPECT_EQ(ring[0], 0x1234u);
    EXPECT_TRUE(Consecutive(ring.data(), 500));
}

TEST_F(TransferTest, RaisedErrorsEndTheTransfer)
{
    const int16_t id = Open("DIO002");
    std::vector<uint32_t> ring(1000, 0);
    SetupTransfer(id, 1, ring.data(), 1000, 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    ASSERT_EQ(m_sim.RaiseError("DIO002", 1, 0x05), 0);
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 10s));
    uint32_t errors = 0;
    EXPECT_EQ(Status(id, 1, &errors), 0x05u);
    EXPECT_EQ(errors, 0x05u);
}

TEST_F(TransferTest, OnePassBufferOverflowsAndExternalClockLimits)
{
    const int16_t id = Open("DIO002");
    std::vector<uint32_t> buffer(100, 0);
    SetupTransfer(id, 1, buffer.data(), 100, 0);
    ASSERT_EQ(Dio(&E::DioDmSetBuffer, id, 1, buffer.data(), 100u, 0), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 10s));
    uint32_t errors = 0;
    EXPECT_EQ(Status(id, 1, &errors), 0x05u);
    EXPECT_EQ(errors, 0x04u);
    EXPECT_EQ(Count(id, 1), 100u);

    // An external clock above the model's 50 MHz.
    ASSERT_EQ(m_sim.SetExternalClockRate("DIO002", 60000000), 0);
    ASSERT_EQ(Dio(&E::DioDmSetClockTrigger, id, 1, 2), 0);
    ASSERT_EQ(Dio(&E::DioDmSetBuffer, id, 1, buffer.data(), 100u, 1), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 10s));
    EXPECT_EQ(Status(id, 1, &errors), 0x05u);
    EXPECT_EQ(errors, 0x10u);
}

TEST_F(TransferTest, ExternalClockAndHandshakeFollowTheirRates)
{
    const int16_t id = Open("DIO000");
    std::vector<uint32_t> ring(100000, 0);
    SetupTransfer(id, 1, ring.data(), 100000, 2000);
    ASSERT_EQ(m_sim.SetExternalClockRate("DIO000", 0), 0);
    ASSERT_EQ(Dio(&E::DioDmSetClockTrigger, id, 1, 2), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(Count(id, 1), 0u);  // a stopped clock moves nothing
    ASSERT_EQ(Dio(&E::DioDmTransferStop, id, 1), 0);
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 1s));

    ASSERT_EQ(m_sim.SetHandshakeRate("DIO000", 200000), 0);
    ASSERT_EQ(Dio(&E::DioDmSetClockTrigger, id, 1, 3), 0);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 10s));
    // 2000 words at 200,000 words/s take 10 ms.
    EXPECT_GE(std::chrono::steady_clock::now() - start, 9ms);
    EXPECT_EQ(Count(id, 1), 2000u);
}

TEST_F(TransferTest, CountEventsAreCoalescedUntilTheCountIsRead)
{
    const int16_t id = Open("DIO002");
    std::vector<uint32_t> ring(1000, 0);
    SetupTransfer(id, 1, ring.data(), 1000, 100000, 1, 3);
    ASSERT_EQ(Dio(&E::DioDmSetCountEvent, id, 1, 10u, kWindow), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    ASSERT_TRUE(WaitEnded(id, 1));
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 10s));
    EXPECT_EQ(m_queue.Count(kWindow, QDX_MSG_COUNT), 1u);

    // Reading the count acknowledges: more notifications follow, never one per 10 words.
    ASSERT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_COUNT, 1s));
    ASSERT_EQ(Dio(&E::DioDmSetBuffer, id, 1, ring.data(), 1000u, 1), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    while ((Status(id, 1) & 0x01) == 0) {
        (void)Count(id, 1);
        std::this_thread::sleep_for(1ms);
    }
    const std::size_t notified = m_queue.Count(kWindow, QDX_MSG_COUNT);
    EXPECT_GT(notified, 1u);
    EXPECT_LT(notified, 10000u);
}

TEST_F(TransferTest, CallbacksRunOnTheLibraryThread)
{
    struct SEEN {
        std::atomic<int> Stops{0};
        std::atomic<int> Counts{0};
        std::atomic<int16_t> Dir{0};
    } seen;
    const int16_t id = Open("DIO002");
    std::vector<uint32_t> ring(1000, 0);
    SetupTransfer(id, 1, ring.data(), 1000, 3000);
    ASSERT_EQ(Dio(&E::DioDmSetStopCallBackProc, id,
                  +[](int16_t, int16_t dir, void* param) {
                      auto* s = static_cast<SEEN*>(param);
                      s->Dir = dir;
                      ++s->Stops;
                  },
                  static_cast<void*>(&seen)),
              0);
    ASSERT_EQ(Dio(&E::DioDmSetCountCallBackProc, id,
                  +[](int16_t, int16_t, uint32_t, void* param) { ++static_cast<SEEN*>(param)->Counts; },
                  static_cast<void*>(&seen)),
              0);
    ASSERT_EQ(Dio(&E::DioDmSetCountEvent, id, 1, 100u, intptr_t{0}), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    ASSERT_TRUE(WaitUntil([&] { return seen.Stops.load() == 1; }));
    EXPECT_EQ(Dio(&E::DioDmTransferStop, id, 1), 0);
    EXPECT_EQ(seen.Dir.load(), 1);
    EXPECT_EQ(seen.Counts.load(), 1);
}

TEST_F(TransferTest, CallbacksMayCallTheLibraryWithoutDeadlock)
{
    struct REENTRY {
        const CDriverBinding* Binding = nullptr;
        std::atomic<int32_t> StopResult{-2};
        std::atomic<int32_t> ResetResult{-2};
        std::atomic<uint32_t> Count{0};
    } reentry;
    reentry.Binding = m_binding.get();
    const int16_t id = Open("DIO002");
    std::vector<uint32_t> ring(1000, 0);
    SetupTransfer(id, 1, ring.data(), 1000, 2000);
    ASSERT_EQ(Dio(&E::DioDmSetStopCallBackProc, id,
                  +[](int16_t board, int16_t dir, void* param) {
                      auto* r = static_cast<REENTRY*>(param);
                      uint32_t count = 0;
                      uint32_t carry = 0;
                      (void)r->Binding->Call(&E::DioDmGetCount, board, dir, &count, &carry);
                      r->Count = count;
                      r->StopResult = r->Binding->Call(&E::DioDmTransferStop, board, dir);
                      r->ResetResult = r->Binding->Call(&E::DioResetDevice, board);
                  },
                  static_cast<void*>(&reentry)),
              0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    ASSERT_TRUE(WaitUntil([&] { return reentry.ResetResult.load() != -2; }));
    EXPECT_EQ(reentry.Count.load(), 2000u);
    EXPECT_EQ(reentry.StopResult.load(), 0);
    EXPECT_EQ(reentry.ResetResult.load(), 0);
    // The board is usable again from the host.
    ASSERT_EQ(Dio(&E::DioDmTransferStop, id, 1), 0);
    SetupTransfer(id, 1, ring.data(), 1000, 100);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    EXPECT_TRUE(WaitEnded(id, 1));
}

TEST_F(TransferTest, QueriesFromSeveralThreadsWhileRunsStartAndStop)
{
    const int16_t id = Open("DIO002");
    std::vector<uint32_t> ring(1u << 16, 0);
    std::atomic<bool> done{false};
    std::atomic<uint32_t> failures{0};
    const auto poll = [&](bool pointer) {
        while (!done.load()) {
            uint32_t a = 0;
            uint32_t b = 0;
            uint32_t c = 0;
            const int32_t result = pointer ? Dio(&E::DioDmGetWritePointer, id, 1, &a, &b, &c)
                                           : Dio(&E::DioDmGetStatus, id, 1, &a, &b);
            if (result != 0) ++failures;
        }
    };
    std::thread pointerReader(poll, true);
    std::thread statusReader(poll, false);
    for (int run = 0; run < 5; ++run) {
        SetupTransfer(id, 1, ring.data(), 1u << 16, 0, 1, 3);
        ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
        std::this_thread::sleep_for(5ms);
        CTestMessageQueue other;
        ASSERT_TRUE(m_binding->SetMessagePoster(&CTestMessageQueue::Post, &other));
        ASSERT_TRUE(m_binding->SetMessagePoster(&CTestMessageQueue::Post, &m_queue));
        ASSERT_EQ(Dio(&E::DioDmTransferStop, id, 1), 0);
        EXPECT_TRUE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 1s)) << run;
    }
    done = true;
    pointerReader.join();
    statusReader.join();
    EXPECT_EQ(failures.load(), 0u);
}

TEST_F(TransferTest, LoopbackReplaysTheGeneratingBoard)
{
    const int16_t generator = Open("DIO000");
    const int16_t sampler = Open("DIO002");
    ASSERT_EQ(m_sim.SetInputSource("DIO002", QDX_SIM_INPUT_LOOPBACK), 0);
    std::vector<uint32_t> pattern(1000);
    for (uint32_t i = 0; i < pattern.size(); ++i) pattern[i] = 0xA5000000u | i;
    std::vector<uint32_t> sampled(2000, 0);
    SetupTransfer(generator, 2, pattern.data(), 1000, 0, 10, 3);
    SetupTransfer(sampler, 1, sampled.data(), 2000, 1500, 10, 3, 4);
    ASSERT_EQ(Dio(&E::DioDmSetStartPattern, sampler, 0xA5000064u, 0xFF000FFFu), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, sampler, 1), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, generator, 2), 0);
    ASSERT_TRUE(WaitEnded(sampler, 1));
    ASSERT_EQ(Dio(&E::DioDmTransferStop, generator, 2), 0);
    EXPECT_EQ(Count(sampler, 1), 1500u);
    for (uint32_t i = 0; i < 1500; ++i) ASSERT_EQ(sampled[i], pattern[(100 + i) % 1000]) << i;
}

TEST_F(TransferTest, LoopbackAtTwiceTheGeneratorsClockSeesEachWordTwice)
{
    const int16_t generator = Open("DIO001");
    const int16_t sampler = Open("DIO005");
    ASSERT_EQ(m_sim.SetInputSource("DIO005", QDX_SIM_INPUT_LOOPBACK), 0);
    std::vector<uint32_t> pattern(1000);
    for (uint32_t i = 0; i < pattern.size(); ++i) pattern[i] = 0x3C000000u | i;
    std::vector<uint32_t> sampled(1000, 0);
    SetupTransfer(generator, 2, pattern.data(), 1000, 0, 20, 3);
    SetupTransfer(sampler, 1, sampled.data(), 1000, 600, 10, 3, 4);
    ASSERT_EQ(Dio(&E::DioDmSetStartPattern, sampler, 0x3C000000u, 0xFF000000u), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, sampler, 1), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, generator, 2), 0);
    ASSERT_TRUE(WaitEnded(sampler, 1));
    ASSERT_EQ(Dio(&E::DioDmTransferStop, generator, 2), 0);
    // Each generated word lasts two sampling clocks: after the first word
    // (which may be caught in its second half) words come in pairs.
    const std::size_t first = sampled[1] == sampled[0] ? 0 : 1;
    for (std::size_t i = first; i + 1 < 600; i += 2) {
        ASSERT_EQ(sampled[i], sampled[i + 1]) << i;
        if (i + 2 < 600) {
            ASSERT_EQ(sampled[i + 2], sampled[i] + 1) << i;
        }
    }
}

TEST_F(TransferTest, ExitResetAndNewBufferReleaseTheOldBuffer)
{
    const int16_t id = Open("DIO002");
    for (int way = 0; way < 3; ++way) {
        std::vector<uint32_t> ring(100000, 0);
        std::vector<uint32_t> other(16, 0);
        const int16_t board = way == 0 ? id : Open("DIO002");
        SetupTransfer(board, 1, ring.data(), 100000, 0, 1, 3);
        ASSERT_EQ(Dio(&E::DioDmTransferStart, board, 1), 0);
        ASSERT_TRUE(WaitUntil([&] { return Count(board, 1) > 0; }));
        const int32_t result = way == 0   ? Dio(&E::DioResetDevice, board)
                               : way == 1 ? Dio(&E::DioExit, board)
                                          : Dio(&E::DioDmSetBuffer, board, 1, other.data(), 16u, 1);
        ASSERT_EQ(result, 0) << way;
        const std::vector<uint32_t> copy = ring;
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(ring, copy) << way;
        EXPECT_FALSE(m_queue.WaitFor(kWindow, QDX_MSG_TRANSFER_STOPPED, 1ms)) << way;
    }
}

TEST_F(TransferTest, BusyTransferRefusesSettingsAndASecondStart)
{
    const int16_t id = Open("DIO002");
    std::vector<uint32_t> ring(1000, 0);
    SetupTransfer(id, 1, ring.data(), 1000, 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    EXPECT_EQ(Dio(&E::DioDmTransferStart, id, 1), QDX_ERR_BUSY);
    EXPECT_EQ(Dio(&E::DioDmSetStopNumber, id, 1, 10u), QDX_ERR_BUSY);
    EXPECT_EQ(Dio(&E::DioDmFifoReset, id, 4), QDX_ERR_BUSY);
    EXPECT_EQ(Dio(&E::DioDmSetDirection, id, 2), QDX_ERR_BUSY);
    ASSERT_EQ(Dio(&E::DioDmTransferStop, id, 1), 0);
    EXPECT_EQ(Dio(&E::DioDmSetStopNumber, id, 1, 10u), 0);
    EXPECT_EQ(Dio(&E::DioDmSetStopTrigger, id, 1, 4), 0);
    ASSERT_EQ(Dio(&E::DioDmTransferStart, id, 1), 0);
    EXPECT_TRUE(WaitEnded(id, 1));
}

}  // namespace
