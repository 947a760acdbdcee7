#pragma once
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "device/RUN_DRIVER_CALLS.h"

class CLogicDocument;
class IWindowPoster;

// The settings of one sampling run, copied on the window thread before the
// threads start, so that no thread reads the condition or the channel table.
struct RUN_SETTINGS {
    int16_t ModelType = 0;
    uint64_t PeriodNs = 0;
    bool AutoSave = false;
    uint32_t SamplingBufferSize = 0;
    int16_t MonitorMode = 0;
    int16_t MonitorMethod = 0;
    uint32_t MonitorData = 0;
    int MonitorBits = 1;
    int MonitorChannel = 0;
    int MonitorPercentage = 0;
    // Vertical monitor: device channel of rows c .. c + n - 1.
    std::array<int16_t, 32> RowChannels{};
};

// What the auto-save thread asks of the window thread; the values are the
// wParam of WM_AUTOSAVE_BLOCK.
enum class BlockRequest : uintptr_t {
    Open = 0,           // open the next block file
    Write = 1,          // write the words of the reader half
    WriteAndClose = 2,  // write them and close the block file
};

// One request of the auto-save thread to the window thread.
struct BLOCK_REQUEST {
    BlockRequest Kind = BlockRequest::Open;
    uint32_t Words = 0;
};

// What the window thread and the run threads of one sampling run share.
// Words are published through the counters with release/acquire ordering.
class CRunState {
public:
    static constexpr uint32_t HalfWords = 262140;

    CRunState(const RUN_DRIVER_CALLS& driver, CLogicDocument& document, IWindowPoster& poster);
    CRunState(const CRunState&) = delete;
    CRunState& operator=(const CRunState&) = delete;

    // Window thread, before the threads of a run start.
    void ResetCounters();

    // Queues an auto-save request and posts WM_AUTOSAVE_BLOCK for it. Write
    // and close requests hand the writer half to the window thread.
    void PostBlock(BlockRequest kind, uint32_t words, int half);
    // Window thread: the oldest queued request, false when none is queued.
    [[nodiscard]] bool TakeBlock(BLOCK_REQUEST& request);
    [[nodiscard]] bool BlocksQueued() const;
    // The run threads' stop request: the window thread stops the run and
    // shows message 62001.
    void PostOverflow();

    // Copy thread: publishes the words copied so far and wakes the monitor.
    void PublishCopied(uint64_t words);
    // Copy thread: it ends (the monitor then polls the board by itself).
    void CopyEnded();
    // Window thread: asks the threads to take what is left and end.
    void RequestEnd();
    // Monitor of a ring board: sleeps until the copy thread published words
    // beyond `seen`, ended, or `timeoutNs` passed; false once the window
    // ends the threads.
    [[nodiscard]] bool WaitForCopied(uint64_t seen, uint64_t timeoutNs);

    // Board queries of the run threads, under DriverLock. False on failure.
    [[nodiscard]] bool QueryCountStatus(uint32_t& count, uint32_t& carry, uint32_t& status);
    [[nodiscard]] bool QueryCount(uint32_t& count);
    [[nodiscard]] bool QueryCount(uint32_t& count, uint32_t& carry);
    [[nodiscard]] bool QueryStatus(uint32_t& status);

    // Words in [first, first + n) of a source buffer of `length` words that
    // the board filled in ring order are intact when the count read after
    // taking them shows the board is not close to overwriting the first.
    [[nodiscard]] static bool Intact(uint64_t first, uint64_t countAfter, uint32_t length);
    // Words taken while the board was at most a quarter of the buffer ahead
    // cannot have been overwritten while they were taken (taking them is far
    // faster than the board): only a larger backlog needs the count read again.
    [[nodiscard]] static bool NeedsRecheck(uint64_t first, uint64_t countBefore, uint32_t length) {
        return countBefore - first > length / 4;
    }
    // A 32-bit board count extended by the words since `previous`.
    [[nodiscard]] static uint64_t Extend(uint64_t previous, uint32_t count);

    const RUN_DRIVER_CALLS& Driver;
    CLogicDocument& Document;
    IWindowPoster& Poster;
    int16_t DeviceId = 0;
    RUN_SETTINGS Settings;

    std::vector<uint32_t> RingBuffer;
    uint32_t* SamplingWords = nullptr;
    uint32_t SamplingLength = 0;
    std::array<std::vector<uint32_t>, 2> SaveBuffers;

    std::atomic<bool> EndThreads{false};
    std::atomic<bool> CopyAlive{false};
    std::atomic<bool> SaveAlive{false};
    std::atomic<bool> MonitorAlive{false};

    // Copy thread: words copied into the sampling memory since the start.
    std::atomic<uint64_t> CopiedWords{0};
    // Auto-save: words put into half-buffers and words written to files.
    std::atomic<uint64_t> SavedWords{0};
    std::atomic<uint64_t> WrittenWords{0};
    // A half handed to the window thread and not written yet.
    std::array<std::atomic<bool>, 2> HalfPending{};
    // The graph's clocks per page, refreshed by the window thread.
    std::atomic<uint32_t> ClocksPerPage{0};

    // Window thread only.
    int ReaderIndex = 0;

private:
    std::mutex m_publishLock;
    std::condition_variable m_published;
    mutable std::mutex m_requestLock;
    std::deque<BLOCK_REQUEST> m_requests;
};
