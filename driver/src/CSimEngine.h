// The run of one transfer on the library's thread: paces the board's clock
// from the monotonic clock, applies start and stop conditions and moves the
// words due at each poll in bulk.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "CSimMessenger.h"
#include "CSimTransferState.h"
#include "CSimWire.h"
#include "SimRun.h"

namespace qdxsim {

class CSimEngine {
public:
    CSimEngine(const SIM_RUN& run, CSimTransferState& state, CSimWire& wire, CSimMessenger& messenger,
               std::atomic<uint32_t>& outputLines);
    CSimEngine(const CSimEngine&) = delete;
    CSimEngine& operator=(const CSimEngine&) = delete;

    void Run();

private:
    enum class Phase { Waiting, Running, Ended };

    static constexpr uint64_t kPollNs = 1000000;         // 1 ms between polls
    static constexpr uint64_t kIdlePollNs = 50000000;    // stopped clock
    static constexpr uint64_t kMaxTicksPerPoll = 1u << 26;
    static constexpr uint64_t kScratchWords = 1u << 16;

    [[nodiscard]] uint64_t TickAt(uint64_t ns) const;
    [[nodiscard]] uint64_t NextWakeNs(uint64_t now) const;
    [[nodiscard]] bool IsInput() const { return m_run.Direction == 1; }
    void AdvanceTo(uint64_t target);
    void AdvanceWaiting(uint64_t target);
    void AdvanceRunning(uint64_t target);
    [[nodiscard]] uint64_t FillInput(uint64_t firstTick, uint64_t count, uint32_t* out) const;
    [[nodiscard]] uint64_t MoveWords(uint64_t count);
    void BeginData();
    void ApplyEdge(const SIM_EDGE& edge);
    void CheckCountEvent(uint64_t before);
    void Finish(uint32_t extraStatus, uint32_t errors, bool notify);

    const SIM_RUN m_run;
    CSimTransferState& m_state;
    CSimWire& m_wire;
    CSimMessenger& m_messenger;
    std::atomic<uint32_t>& m_outputLines;

    Phase m_phase = Phase::Waiting;
    uint64_t m_tick = 0;  // next board clock tick to look at
    uint64_t m_count = 0;
    uint32_t m_carry = 0;
    uint32_t m_writePointer = 0;
    bool m_stalled = false;  // the loopback wire has no words yet
    bool m_backlog = false;  // more ticks were due than one poll moves
    std::vector<uint32_t> m_scratch;
};

}  // namespace qdxsim
