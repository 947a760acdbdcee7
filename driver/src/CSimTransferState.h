// State one transfer engine shares between the host's calls and the
// library's thread: the counters the host reads and the events it raises.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace qdxsim {

struct SIM_EDGE {
    int32_t Line = 0;
    int32_t Edge = 0;
    uint64_t TimeNs = 0;
};

struct SIM_EVENTS {
    bool Stop = false;
    bool Abort = false;
    std::vector<SIM_EDGE> Edges;
    uint32_t Errors = 0;
};

struct SIM_COUNTERS {
    uint64_t Count = 0;
    uint32_t Carry = 0;
    uint32_t WritePointer = 0;
    uint32_t Status = 0;
    uint32_t Errors = 0;
};

class CSimTransferState {
public:
    static constexpr uint32_t kStatusEnded = 0x01;
    static constexpr uint32_t kStatusTransferring = 0x02;
    static constexpr uint32_t kStatusBoardStop = 0x04;

    CSimTransferState() = default;
    CSimTransferState(const CSimTransferState&) = delete;
    CSimTransferState& operator=(const CSimTransferState&) = delete;

    // Host side.
    void Arm(uint32_t status);
    void ResetCounters();
    void RequestStop();
    void RequestAbort();
    void AddEdge(const SIM_EDGE& edge);
    void AddErrors(uint32_t errors);
    [[nodiscard]] SIM_COUNTERS Counters() const;
    [[nodiscard]] bool Active() const { return m_active.load(std::memory_order_acquire); }
    void ClearCountPending() { m_countPending.store(false, std::memory_order_release); }

    // Library thread side.
    [[nodiscard]] SIM_EVENTS WaitEvents(uint64_t untilNs);
    void Publish(uint64_t count, uint32_t carry, uint32_t writePointer);
    void SetStatus(uint32_t status);
    void End(uint32_t status, uint32_t errors);
    // True when no count notification was pending (it is pending now).
    [[nodiscard]] bool MarkCountPending() { return !m_countPending.exchange(true, std::memory_order_acq_rel); }

private:
    mutable std::mutex m_counterLock;
    SIM_COUNTERS m_counters;
    std::mutex m_eventLock;
    std::condition_variable m_wake;
    SIM_EVENTS m_events;
    std::atomic<bool> m_active{false};
    std::atomic<bool> m_countPending{false};
};

}  // namespace qdxsim
