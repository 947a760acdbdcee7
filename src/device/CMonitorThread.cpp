#include "device/CMonitorThread.h"

#include "device/CRunPacer.h"
#include "device/CRunState.h"
#include "device/IWindowPoster.h"
#include "device/RunMessages.h"
#include "document/CLogicDocument.h"
#include "qdxapi.h"

CMonitorThread::CMonitorThread(CRunState& state)
    : m_state(state), m_scanner(state.Settings, state.SamplingLength) {}

void CMonitorThread::Run() {
    const int method = m_state.Settings.MonitorMethod;
    if (method == 0 || method == 1) {
        while (Wait() && Pass()) {
        }
    }
    m_state.MonitorAlive.store(false, std::memory_order_release);
}

// Half a clock period between polls; on a ring board the monitor can look
// at nothing before the copy thread has copied it, so it sleeps until then.
bool CMonitorThread::Wait() {
    if (m_state.Settings.ModelType == 0 && m_state.CopyAlive.load(std::memory_order_acquire)) {
        return m_state.WaitForCopied(m_available, CRunPacer::LongestPauseNs);
    }
    return CRunPacer::Pause(m_state.Settings.PeriodNs / 2, m_state.EndThreads);
}

// One poll; false when the thread ends.
bool CMonitorThread::Pass() {
    uint32_t count = 0;
    uint32_t carry = 0;
    uint32_t status = 0;
    if (!m_state.QueryCountStatus(count, carry, status)) {
        return false;
    }
    CLogicDocument& document = m_state.Document;
    document.LastCount.store(count, std::memory_order_relaxed);
    document.LastCarry.store(carry, std::memory_order_relaxed);
    if (!m_state.Settings.AutoSave && count != 0) {
        document.Saved.store(0, std::memory_order_relaxed);
    }
    if ((status & QDX_STATUS_ENDED) != 0) {
        return false;
    }
    m_count = CRunState::Extend(m_count, count);
    const uint64_t available = m_state.Settings.ModelType == 0
                                   ? m_state.CopiedWords.load(std::memory_order_acquire)
                                   : m_count;
    m_available = available;
    const uint32_t page = m_state.ClocksPerPage.load(std::memory_order_relaxed);
    MONITOR_EVENT event;
    while (m_scanner.Scan(m_state.SamplingWords, available, page, event)) {
        Post(event);
        if (event.What == MONITOR_EVENT::Kind::Stop) {
            return false;
        }
    }
    return true;
}

void CMonitorThread::Post(const MONITOR_EVENT& event) {
    const RUN_SETTINGS& s = m_state.Settings;
    const intptr_t param = MakeMatchParam({s.MonitorMode, s.MonitorMethod, s.MonitorChannel, s.MonitorBits});
    IWindowPoster& poster = m_state.Poster;
    poster.PostMessage(WM_MONITOR_MATCH, event.Position, param);
    if (event.What == MONITOR_EVENT::Kind::Stop) {
        poster.PostMessage(WM_STOP_RUN, 0, 0);
        return;
    }
    poster.PostMessage(WM_SHOW_FROM, static_cast<uintptr_t>(event.FirstClock), 0);
    poster.PostMessage(WM_UPDATE_VIEWS, 0, 0);
}
