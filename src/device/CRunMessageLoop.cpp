#include "device/CRunMessageLoop.h"

#include "device/CDeviceRun.h"

CRunMessageLoop::CRunMessageLoop(intptr_t handle) : m_handle(handle) {}

void CRunMessageLoop::PostMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) {
    {
        std::lock_guard lock(m_lock);
        m_queue.push_back({message, wparam, lparam});
    }
    m_posted.notify_one();
}

void CRunMessageLoop::DriverPost(intptr_t hwnd, uint32_t message, uintptr_t wparam, intptr_t lparam,
                                 void* context) {
    auto* loop = static_cast<CRunMessageLoop*>(context);
    if (loop != nullptr && hwnd == loop->m_handle) {
        loop->PostMessage(message, wparam, lparam);
    }
}

bool CRunMessageLoop::Take(RUN_MESSAGE& message, std::chrono::steady_clock::time_point until) {
    std::unique_lock lock(m_lock);
    if (!m_posted.wait_until(lock, until, [this] { return !m_queue.empty(); })) {
        return false;
    }
    message = m_queue.front();
    m_queue.pop_front();
    return true;
}

void CRunMessageLoop::Handle(CDeviceRun& run, const RUN_MESSAGE& message) {
    if (m_recording) {
        m_recorded.push_back(message);
    }
    run.OnWindowMessage(message.Message, message.WParam, message.LParam);
}

void CRunMessageLoop::DispatchPending(CDeviceRun& run) {
    RUN_MESSAGE message;
    while (Take(message, std::chrono::steady_clock::now())) {
        Handle(run, message);
    }
}

bool CRunMessageLoop::RunUntil(CDeviceRun& run, const std::function<bool()>& done,
                               std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + timeout;
    if (m_nextTick == Clock::time_point{}) {
        m_nextTick = Clock::now() + TimerPeriod;
    }
    while (!done()) {
        const auto now = Clock::now();
        if (now >= end) {
            return false;
        }
        if (m_timerOn && now >= m_nextTick) {
            m_nextTick = now + TimerPeriod;
            run.OnStatusTimer();
            continue;
        }
        const auto wake = std::min({end, m_timerOn ? m_nextTick : end, now + std::chrono::milliseconds(20)});
        RUN_MESSAGE message;
        if (Take(message, wake)) {
            Handle(run, message);
        }
    }
    return true;
}
