#include "CSimEngine.h"

#include <algorithm>

#include "qdxapi_sim.h"

namespace qdxsim {

namespace {

constexpr uint32_t kErrorBufferOverflow = 0x04;
constexpr uint32_t kErrorBothTriggers = 0x08;
constexpr uint32_t kErrorExternalClock = 0x10;

[[nodiscard]] bool EdgeMatches(int16_t condition, int32_t edge)
{
    return (condition == 2 && edge == QDX_SIM_EDGE_RISING) || (condition == 3 && edge == QDX_SIM_EDGE_FALLING);
}

[[nodiscard]] bool IsEdgeCondition(int16_t condition) { return condition == 2 || condition == 3; }

}  // namespace

CSimEngine::CSimEngine(const SIM_RUN& run, CSimTransferState& state, CSimWire& wire, CSimMessenger& messenger,
                       std::atomic<uint32_t>& outputLines)
    : m_run(run), m_state(state), m_wire(wire), m_messenger(messenger), m_outputLines(outputLines)
{
}

void CSimEngine::Run()
{
    if (m_run.Rate > m_run.Model.MaxRate) {
        Finish(CSimTransferState::kStatusBoardStop, kErrorExternalClock, true);
        return;
    }
    if (m_run.Setup.StartTrigger == 1) BeginData();
    if (m_run.Setup.StartTrigger == 4) m_scratch.resize(kScratchWords);
    if (m_run.Source == QDX_SIM_INPUT_LOOPBACK && m_scratch.empty()) m_scratch.resize(kScratchWords);

    uint64_t wake = SimNowNs();
    while (m_phase != Phase::Ended) {
        SIM_EVENTS events = m_state.WaitEvents(wake);
        if (events.Abort) {
            Finish(0, 0, false);
            return;
        }
        std::sort(events.Edges.begin(), events.Edges.end(),
                  [](const SIM_EDGE& a, const SIM_EDGE& b) { return a.TimeNs < b.TimeNs; });
        for (const SIM_EDGE& edge : events.Edges) {
            AdvanceTo(TickAt(edge.TimeNs));
            if (m_phase == Phase::Ended) return;
            ApplyEdge(edge);
            if (m_phase == Phase::Ended) return;
        }
        const uint64_t now = SimNowNs();
        AdvanceTo(TickAt(now));
        if (m_phase == Phase::Ended) return;
        if (events.Errors != 0) {
            Finish(CSimTransferState::kStatusBoardStop, events.Errors, true);
            return;
        }
        if (events.Stop) {
            Finish(0, 0, true);
            return;
        }
        wake = NextWakeNs(now);
    }
}

uint64_t CSimEngine::TickAt(uint64_t ns) const
{
    if (ns <= m_run.OriginNs) return 0;
    return m_run.Pace.TicksIn(ns - m_run.OriginNs);
}

uint64_t CSimEngine::NextWakeNs(uint64_t now) const
{
    if (m_backlog) return now;
    if (m_stalled) return now + kPollNs;
    if (m_run.Pace.Num == 0) return now + kIdlePollNs;
    const uint64_t tickDone = m_run.OriginNs + m_run.Pace.TimeOfTick(m_tick + 1);
    return std::max(now + kPollNs, tickDone);
}

void CSimEngine::AdvanceTo(uint64_t target)
{
    m_stalled = false;
    m_backlog = target > m_tick + kMaxTicksPerPoll;
    if (m_backlog) target = m_tick + kMaxTicksPerPoll;
    if (m_phase == Phase::Waiting) AdvanceWaiting(target);
    if (m_phase == Phase::Running) AdvanceRunning(target);
}

void CSimEngine::AdvanceWaiting(uint64_t target)
{
    if (m_run.Setup.StartTrigger != 4) {
        m_tick = std::max(m_tick, target);
    }
    while (m_run.Setup.StartTrigger == 4 && m_tick < target) {
        const uint64_t want = std::min<uint64_t>(target - m_tick, m_scratch.size());
        const uint64_t got = FillInput(m_tick, want, m_scratch.data());
        const uint32_t pattern = m_run.Pattern & m_run.Mask;
        const auto* found = std::find_if(m_scratch.data(), m_scratch.data() + got,
                                         [&](uint32_t word) { return (word & m_run.Mask) == pattern; });
        m_tick += static_cast<uint64_t>(found - m_scratch.data());
        if (found != m_scratch.data() + got) {
            BeginData();
            return;
        }
        if (got < want) {
            m_stalled = true;
            break;
        }
    }
    if (!IsInput()) m_wire.Progress(m_run.WireSerial, m_tick);
}

void CSimEngine::AdvanceRunning(uint64_t target)
{
    const SIM_TRANSFER_SETUP& setup = m_run.Setup;
    while (m_tick < target) {
        uint64_t want = std::min<uint64_t>(target - m_tick, setup.Length - m_writePointer);
        if (setup.StopTrigger == 4) want = std::min<uint64_t>(want, setup.StopNumber - m_count);
        const uint64_t before = m_count;
        const uint64_t moved = MoveWords(want);
        m_tick += moved;
        m_count += moved;
        m_writePointer += static_cast<uint32_t>(moved);
        const bool bufferEnd = m_writePointer == setup.Length;
        if (bufferEnd && setup.Ring) {
            m_writePointer = 0;
            ++m_carry;
        }
        m_state.Publish(m_count, m_carry, m_writePointer);
        CheckCountEvent(before);
        if (setup.StopTrigger == 4 && m_count >= setup.StopNumber) {
            Finish(CSimTransferState::kStatusBoardStop, 0, true);
            return;
        }
        if (bufferEnd && !setup.Ring) {
            Finish(CSimTransferState::kStatusBoardStop, IsInput() ? kErrorBufferOverflow : 0, true);
            return;
        }
        if (moved < want) {
            m_stalled = true;
            return;
        }
    }
    if (!IsInput()) m_wire.Progress(m_run.WireSerial, m_tick);
}

uint64_t CSimEngine::MoveWords(uint64_t count)
{
    uint32_t* at = m_run.Setup.Buffer + m_writePointer;
    if (IsInput()) return FillInput(m_tick, count, at);
    if (count == 0) return 0;
    m_wire.Publish(m_run.WireSerial, at, count, m_tick + count);
    m_outputLines.store(at[count - 1], std::memory_order_relaxed);
    return count;
}

uint64_t CSimEngine::FillInput(uint64_t firstTick, uint64_t count, uint32_t* out) const
{
    switch (m_run.Source) {
    case QDX_SIM_INPUT_LOOPBACK:
        return m_wire.Sample(m_run.OriginNs, m_run.Pace, firstTick, count, out);
    case QDX_SIM_INPUT_ZERO:
        std::fill_n(out, count, 0u);
        return count;
    default:
        for (uint64_t i = 0; i < count; ++i) out[i] = static_cast<uint32_t>(firstTick + i);
        return count;
    }
}

void CSimEngine::BeginData()
{
    m_phase = Phase::Running;
    if (!IsInput()) m_wire.BeginData(m_run.WireSerial, m_tick);
    m_state.SetStatus(CSimTransferState::kStatusTransferring);
}

void CSimEngine::ApplyEdge(const SIM_EDGE& edge)
{
    const SIM_TRANSFER_SETUP& setup = m_run.Setup;
    const bool startLine = (edge.Line & QDX_SIM_LINE_START) != 0;
    const bool stopLine = (edge.Line & QDX_SIM_LINE_STOP) != 0;
    if (m_phase == Phase::Waiting && startLine && stopLine && IsEdgeCondition(setup.StartTrigger) &&
        IsEdgeCondition(setup.StopTrigger)) {
        Finish(CSimTransferState::kStatusBoardStop, kErrorBothTriggers, true);
        return;
    }
    if (m_phase == Phase::Waiting && startLine && EdgeMatches(setup.StartTrigger, edge.Edge)) {
        BeginData();
        return;
    }
    if (m_phase == Phase::Running && stopLine && EdgeMatches(setup.StopTrigger, edge.Edge)) {
        Finish(CSimTransferState::kStatusBoardStop, 0, true);
    }
}

void CSimEngine::CheckCountEvent(uint64_t before)
{
    const uint32_t every = m_run.Setup.CountEvery;
    if (every == 0 || before / every == m_count / every) return;
    if (m_run.Setup.CountWindow == 0 && m_run.CountProc == nullptr) return;
    if (!m_state.MarkCountPending()) return;
    m_messenger.Post(m_run.Setup.CountWindow, QDX_MSG_COUNT, static_cast<uint16_t>(m_run.Setup.CountEventId),
                     m_run.Direction);
    if (m_run.CountProc != nullptr) {
        m_run.CountProc(m_run.Id, m_run.Direction, static_cast<uint32_t>(m_count), m_run.CountParam);
    }
}

void CSimEngine::Finish(uint32_t extraStatus, uint32_t errors, bool notify)
{
    m_phase = Phase::Ended;
    if (!IsInput()) m_wire.Detach(m_run.WireSerial);
    m_state.End(CSimTransferState::kStatusEnded | extraStatus, errors);
    if (!notify) return;
    m_messenger.Post(m_run.Setup.StopWindow, QDX_MSG_TRANSFER_STOPPED,
                     static_cast<uint16_t>(m_run.Setup.StopEventId), m_run.Direction);
    if (m_run.StopProc != nullptr) m_run.StopProc(m_run.Id, m_run.Direction, m_run.StopParam);
}

}  // namespace qdxsim
