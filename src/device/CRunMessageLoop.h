#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "device/IWindowPoster.h"

class CDeviceRun;

// One queued window message.
struct RUN_MESSAGE {
    uint32_t Message = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
};

// A window message queue without a window system, for the command-line tool,
// the tests and the benchmarks: run threads and the board library post into
// it from any thread; the owning thread handles the messages in order and
// ticks the status timer every 500 ms while it is on.
class CRunMessageLoop : public IWindowPoster {
public:
    static constexpr std::chrono::milliseconds TimerPeriod{500};

    explicit CRunMessageLoop(intptr_t handle = 0x4E49);

    void PostMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) override;
    [[nodiscard]] intptr_t WindowHandle() const override { return m_handle; }
    // The board library's message poster (context: the loop). Messages for
    // other window handles are dropped.
    static void DriverPost(intptr_t hwnd, uint32_t message, uintptr_t wparam, intptr_t lparam, void* context);

    void SetTimer(bool on) { m_timerOn = on; }
    // Every message handled is also kept here when recording is on.
    void Record(bool on) { m_recording = on; }
    [[nodiscard]] const std::vector<RUN_MESSAGE>& Recorded() const { return m_recorded; }

    // Hands queued messages to the run (and ticks the timer) until done()
    // holds or the time is up; true when done() held.
    bool RunUntil(CDeviceRun& run, const std::function<bool()>& done, std::chrono::milliseconds timeout);
    // Handles the messages queued now.
    void DispatchPending(CDeviceRun& run);

private:
    [[nodiscard]] bool Take(RUN_MESSAGE& message, std::chrono::steady_clock::time_point until);
    void Handle(CDeviceRun& run, const RUN_MESSAGE& message);

    intptr_t m_handle;
    std::mutex m_lock;
    std::condition_variable m_posted;
    std::deque<RUN_MESSAGE> m_queue;
    bool m_timerOn = false;
    bool m_recording = false;
    std::vector<RUN_MESSAGE> m_recorded;
    std::chrono::steady_clock::time_point m_nextTick{};
};
