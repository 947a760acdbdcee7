#include "CSimTransferState.h"

#include <chrono>

namespace qdxsim {

void CSimTransferState::Arm(uint32_t status)
{
    {
        std::lock_guard lock(m_counterLock);
        m_counters = SIM_COUNTERS{};
        m_counters.Status = status;
    }
    {
        std::lock_guard lock(m_eventLock);
        m_events = SIM_EVENTS{};
    }
    m_countPending.store(false, std::memory_order_release);
    m_active.store(true, std::memory_order_release);
}

void CSimTransferState::ResetCounters()
{
    std::lock_guard lock(m_counterLock);
    m_counters = SIM_COUNTERS{};
}

void CSimTransferState::RequestStop()
{
    {
        std::lock_guard lock(m_eventLock);
        m_events.Stop = true;
    }
    m_wake.notify_all();
}

void CSimTransferState::RequestAbort()
{
    {
        std::lock_guard lock(m_eventLock);
        m_events.Abort = true;
    }
    m_wake.notify_all();
}

void CSimTransferState::AddEdge(const SIM_EDGE& edge)
{
    {
        std::lock_guard lock(m_eventLock);
        m_events.Edges.push_back(edge);
    }
    m_wake.notify_all();
}

void CSimTransferState::AddErrors(uint32_t errors)
{
    {
        std::lock_guard lock(m_eventLock);
        m_events.Errors |= errors;
    }
    m_wake.notify_all();
}

SIM_COUNTERS CSimTransferState::Counters() const
{
    std::lock_guard lock(m_counterLock);
    return m_counters;
}

SIM_EVENTS CSimTransferState::WaitEvents(uint64_t untilNs)
{
    const auto until = std::chrono::steady_clock::time_point(std::chrono::nanoseconds(untilNs));
    std::unique_lock lock(m_eventLock);
    m_wake.wait_until(lock, until, [this] {
        return m_events.Stop || m_events.Abort || !m_events.Edges.empty() || m_events.Errors != 0;
    });
    SIM_EVENTS taken = std::move(m_events);
    m_events = SIM_EVENTS{};
    return taken;
}

void CSimTransferState::Publish(uint64_t count, uint32_t carry, uint32_t writePointer)
{
    std::lock_guard lock(m_counterLock);
    m_counters.Count = count;
    m_counters.Carry = carry;
    m_counters.WritePointer = writePointer;
}

void CSimTransferState::SetStatus(uint32_t status)
{
    std::lock_guard lock(m_counterLock);
    m_counters.Status = status;
}

void CSimTransferState::End(uint32_t status, uint32_t errors)
{
    {
        std::lock_guard lock(m_counterLock);
        m_counters.Status = status;
        m_counters.Errors |= errors;
    }
    m_active.store(false, std::memory_order_release);
}

}  // namespace qdxsim
