#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/CDriverBinding.h"
#include "qdxapi_sim.h"
#include "support/CScriptedMessages.h"

// One window message the library posted.
struct POSTED_MESSAGE {
    intptr_t Window = 0;
    uint32_t Message = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
};

// The test's window message queue: the library posts into it from its own
// thread, the test waits for messages.
class CTestMessageQueue {
public:
    static void Post(intptr_t hwnd, uint32_t msg, uintptr_t wparam, intptr_t lparam, void* ctx);
    // Waits until a message msg for hwnd arrived (and takes it out).
    [[nodiscard]] bool WaitFor(intptr_t hwnd, uint32_t msg, std::chrono::milliseconds timeout,
                               POSTED_MESSAGE* taken = nullptr);
    [[nodiscard]] std::size_t Count(intptr_t hwnd, uint32_t msg) const;

private:
    mutable std::mutex m_lock;
    std::condition_variable m_arrived;
    std::deque<POSTED_MESSAGE> m_messages;
};

// The bench controls of the loaded library, resolved by name.
struct SIM_CONTROLS {
    decltype(&::DioSimConfigureBoards) ConfigureBoards = nullptr;
    decltype(&::DioSimSetInputSource) SetInputSource = nullptr;
    decltype(&::DioSimSetExternalClockRate) SetExternalClockRate = nullptr;
    decltype(&::DioSimSetHandshakeRate) SetHandshakeRate = nullptr;
    decltype(&::DioSimFireTrigger) FireTrigger = nullptr;
    decltype(&::DioSimRaiseError) RaiseError = nullptr;
    decltype(&::DioSimFailFunction) FailFunction = nullptr;
    decltype(&::DioSimSetMaxBufferLength) SetMaxBufferLength = nullptr;
    decltype(&::DioSimEnableCallLog) EnableCallLog = nullptr;
    decltype(&::DioSimClearCallLog) ClearCallLog = nullptr;
    decltype(&::DioSimGetCallLog) GetCallLog = nullptr;

    // From the library the binding loaded; false when any is missing.
    [[nodiscard]] bool Resolve();
    [[nodiscard]] std::string CallLog() const;
};

// Sets LC_ALL for the binding's language and restores it afterwards.
class CScopedLanguage {
public:
    explicit CScopedLanguage(const char* locale);
    ~CScopedLanguage();
    CScopedLanguage(const CScopedLanguage&) = delete;
    CScopedLanguage& operator=(const CScopedLanguage&) = delete;

private:
    std::string m_saved;
    bool m_had = false;
};

// Polls until done() or the timeout; true when done.
template <typename F>
[[nodiscard]] bool WaitUntil(F done, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
