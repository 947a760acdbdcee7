#include "CSimTransfer.h"

#include "CSimEngine.h"

namespace qdxsim {

namespace {

[[nodiscard]] bool InRange(int16_t value, int16_t low, int16_t high) { return value >= low && value <= high; }

[[nodiscard]] uint64_t UnitNs(int16_t unit)
{
    switch (unit) {
    case 1: return 1000000000ULL;
    case 2: return 1000000ULL;
    case 3: return 1000ULL;
    default: return 1ULL;
    }
}

}  // namespace

CSimTransfer::CSimTransfer(int16_t direction, CSimWire& wire, CSimMessenger& messenger,
                           std::atomic<uint32_t>& outputLines)
    : m_direction(direction), m_wire(wire), m_messenger(messenger), m_outputLines(outputLines)
{
}

CSimTransfer::~CSimTransfer() { Abort(); }

bool CSimTransfer::OnEngineThread() const
{
    return m_threadId.load(std::memory_order_acquire) == std::this_thread::get_id();
}

int32_t CSimTransfer::CheckIdle() const { return m_state.Active() ? QDX_ERR_BUSY : QDX_OK; }

int32_t CSimTransfer::SetStartTrigger(int16_t start)
{
    if (OnEngineThread()) return QDX_ERR_BUSY;
    std::lock_guard lock(m_control);
    if (const int32_t busy = CheckIdle()) return busy;
    // Pattern match looks at the input lines in both directions.
    if (!InRange(start, 1, 4)) return QDX_ERR_INVALID_PARAMETER;
    m_setup.StartTrigger = start;
    return QDX_OK;
}

int32_t CSimTransfer::SetClockTrigger(int16_t clock)
{
    if (OnEngineThread()) return QDX_ERR_BUSY;
    std::lock_guard lock(m_control);
    if (const int32_t busy = CheckIdle()) return busy;
    if (!InRange(clock, 1, 3)) return QDX_ERR_INVALID_PARAMETER;
    m_setup.ClockType = clock;
    return QDX_OK;
}

int32_t CSimTransfer::SetInternalClock(uint32_t value, int16_t unit, const SIM_MODEL& model)
{
    if (OnEngineThread()) return QDX_ERR_BUSY;
    std::lock_guard lock(m_control);
    if (const int32_t busy = CheckIdle()) return busy;
    if (!InRange(unit, 1, 4)) return QDX_ERR_INVALID_PARAMETER;
    const uint64_t periodNs = static_cast<uint64_t>(value) * UnitNs(unit);
    if (periodNs < model.MinPeriodNs || periodNs > model.MaxPeriodNs) return QDX_ERR_CLOCK_RANGE;
    m_setup.PeriodNs = periodNs;
    return QDX_OK;
}

int32_t CSimTransfer::SetStopTrigger(int16_t stop)
{
    if (OnEngineThread()) return QDX_ERR_BUSY;
    std::lock_guard lock(m_control);
    if (const int32_t busy = CheckIdle()) return busy;
    if (!InRange(stop, 1, 4)) return QDX_ERR_INVALID_PARAMETER;
    m_setup.StopTrigger = stop;
    return QDX_OK;
}

int32_t CSimTransfer::SetStopNumber(uint32_t number)
{
    if (OnEngineThread()) return QDX_ERR_BUSY;
    std::lock_guard lock(m_control);
    if (const int32_t busy = CheckIdle()) return busy;
    if (number == 0) return QDX_ERR_INVALID_PARAMETER;
    m_setup.StopNumber = number;
    return QDX_OK;
}

int32_t CSimTransfer::SetBuffer(int16_t owner, uint32_t* buffer, uint32_t length, int16_t ring)
{
    if (OnEngineThread()) return QDX_ERR_BUSY;
    if (buffer == nullptr) return QDX_ERR_NULL_POINTER;
    if (length == 0 || !InRange(ring, 0, 1)) return QDX_ERR_INVALID_PARAMETER;
    std::lock_guard lock(m_control);
    EndThread(true);
    m_setup.Buffer = buffer;
    m_setup.Length = length;
    m_setup.Ring = ring == 1;
    m_setup.BufferOwner = owner;
    m_state.ResetCounters();
    return QDX_OK;
}

int32_t CSimTransfer::SetStopEvent(int16_t id, intptr_t hwnd)
{
    if (OnEngineThread()) return QDX_ERR_BUSY;
    std::lock_guard lock(m_control);
    if (const int32_t busy = CheckIdle()) return busy;
    m_setup.StopWindow = hwnd;
    m_setup.StopEventId = id;
    return QDX_OK;
}

int32_t CSimTransfer::SetCountEvent(int16_t id, uint32_t count, intptr_t hwnd)
{
    if (OnEngineThread()) return QDX_ERR_BUSY;
    std::lock_guard lock(m_control);
    if (const int32_t busy = CheckIdle()) return busy;
    m_setup.CountEvery = count;
    m_setup.CountWindow = hwnd;
    m_setup.CountEventId = id;
    return QDX_OK;
}

int32_t CSimTransfer::ResetCounters()
{
    if (OnEngineThread()) return QDX_ERR_BUSY;
    std::lock_guard lock(m_control);
    if (const int32_t busy = CheckIdle()) return busy;
    m_state.ResetCounters();
    return QDX_OK;
}

int32_t CSimTransfer::Start(const SIM_START& start)
{
    if (OnEngineThread()) return QDX_ERR_BUSY;
    std::lock_guard lock(m_control);
    if (const int32_t busy = CheckIdle()) return busy;
    if (m_setup.Buffer == nullptr) return QDX_ERR_NO_BUFFER;
    if (m_thread.joinable()) m_thread.join();

    SIM_RUN run;
    run.Setup = m_setup;
    run.Direction = m_direction;
    run.Id = start.Id;
    run.Model = start.Model;
    run.Source = start.Source;
    run.Pattern = start.Pattern;
    run.Mask = start.Mask;
    run.StopProc = start.StopProc;
    run.StopParam = start.StopParam;
    run.CountProc = start.CountProc;
    run.CountParam = start.CountParam;
    if (m_setup.ClockType == 1) {
        run.Pace = SIM_PACE::FromPeriodNs(m_setup.PeriodNs);
        run.Rate = 0;
    } else {
        run.Rate = m_setup.ClockType == 2 ? start.ExternalRate : start.HandshakeRate;
        run.Pace = SIM_PACE::FromRate(run.Rate);
    }
    if (m_direction == 2) {
        run.WireSerial = m_wire.Attach(run.Pace, start.StartWaitNs, run.OriginNs);
    } else {
        run.OriginNs = SimNowNs() + start.StartWaitNs;
    }
    m_state.Arm(m_setup.StartTrigger == 1 ? CSimTransferState::kStatusTransferring : 0);
    m_thread = std::thread([this, run] {
        m_threadId.store(std::this_thread::get_id(), std::memory_order_release);
        CSimEngine engine(run, m_state, m_wire, m_messenger, m_outputLines);
        engine.Run();
    });
    return QDX_OK;
}

void CSimTransfer::EndThread(bool abort)
{
    if (!m_thread.joinable()) return;
    if (abort) {
        m_state.RequestAbort();
    } else {
        m_state.RequestStop();
    }
    m_thread.join();
    m_threadId.store(std::thread::id{}, std::memory_order_release);
}

void CSimTransfer::Stop()
{
    if (OnEngineThread()) {
        m_state.RequestStop();
        return;
    }
    std::lock_guard lock(m_control);
    EndThread(false);
}

void CSimTransfer::Abort()
{
    if (OnEngineThread()) {
        m_state.RequestAbort();
        return;
    }
    std::lock_guard lock(m_control);
    EndThread(true);
}

void CSimTransfer::AbortIfOwnedBy(int16_t id)
{
    if (OnEngineThread()) return;
    std::lock_guard lock(m_control);
    if (m_setup.BufferOwner != id) return;
    EndThread(true);
    m_setup.Buffer = nullptr;
    m_setup.Length = 0;
    m_setup.BufferOwner = -1;
}

void CSimTransfer::Reset()
{
    if (OnEngineThread()) {
        m_state.RequestAbort();
        return;
    }
    std::lock_guard lock(m_control);
    EndThread(true);
    m_setup = SIM_TRANSFER_SETUP{};
    m_state.ResetCounters();
}

SIM_COUNTERS CSimTransfer::AcknowledgeCounters()
{
    m_state.ClearCountPending();
    return m_state.Counters();
}

void CSimTransfer::FireEdge(int32_t line, int32_t edge)
{
    if (!m_state.Active()) return;
    m_state.AddEdge(SIM_EDGE{line, edge, SimNowNs()});
}

void CSimTransfer::RaiseError(uint32_t errors)
{
    if (m_state.Active()) {
        m_state.AddErrors(errors);
        return;
    }
    m_state.End(m_state.Counters().Status, errors);
}

}  // namespace qdxsim
