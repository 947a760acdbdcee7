#include "DriverTestSupport.h"

#include <dlfcn.h>

#include <cstdlib>
#include <thread>

void CTestMessageQueue::Post(intptr_t hwnd, uint32_t msg, uintptr_t wparam, intptr_t lparam, void* ctx)
{
    auto* queue = static_cast<CTestMessageQueue*>(ctx);
    {
        std::lock_guard lock(queue->m_lock);
        queue->m_messages.push_back(POSTED_MESSAGE{hwnd, msg, wparam, lparam});
    }
    queue->m_arrived.notify_all();
}

bool CTestMessageQueue::WaitFor(intptr_t hwnd, uint32_t msg, std::chrono::milliseconds timeout,
                                POSTED_MESSAGE* taken)
{
    std::unique_lock lock(m_lock);
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (auto it = m_messages.begin(); it != m_messages.end(); ++it) {
            if (it->Window == hwnd && it->Message == msg) {
                if (taken != nullptr) *taken = *it;
                m_messages.erase(it);
                return true;
            }
        }
        if (m_arrived.wait_until(lock, end) == std::cv_status::timeout) return false;
    }
}

std::size_t CTestMessageQueue::Count(intptr_t hwnd, uint32_t msg) const
{
    std::lock_guard lock(m_lock);
    std::size_t count = 0;
    for (const POSTED_MESSAGE& message : m_messages) {
        if (message.Window == hwnd && message.Message == msg) ++count;
    }
    return count;
}

bool SIM_CONTROLS::Resolve()
{
    void* library = dlopen(CDriverBinding::LIBRARY_NAME, RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) return false;
    const auto bind = [library](auto& slot, const char* name) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(dlsym(library, name));
        return slot != nullptr;
    };
    bool ok = bind(ConfigureBoards, "DioSimConfigureBoards");
    ok = bind(SetInputSource, "DioSimSetInputSource") && ok;
    ok = bind(SetExternalClockRate, "DioSimSetExternalClockRate") && ok;
    ok = bind(SetHandshakeRate, "DioSimSetHandshakeRate") && ok;
    ok = bind(FireTrigger, "DioSimFireTrigger") && ok;
    ok = bind(RaiseError, "DioSimRaiseError") && ok;
    ok = bind(FailFunction, "DioSimFailFunction") && ok;
    ok = bind(SetMaxBufferLength, "DioSimSetMaxBufferLength") && ok;
    ok = bind(EnableCallLog, "DioSimEnableCallLog") && ok;
    ok = bind(ClearCallLog, "DioSimClearCallLog") && ok;
    ok = bind(GetCallLog, "DioSimGetCallLog") && ok;
    dlclose(library);  // drops the reference NOLOAD took; the binding keeps its own
    return ok;
}

std::string SIM_CONTROLS::CallLog() const
{
    const uint32_t size = GetCallLog(nullptr, 0);
    std::string text(size, '\0');
    (void)GetCallLog(text.data(), size);
    text.resize(size - 1);
    return text;
}

CScopedLanguage::CScopedLanguage(const char* locale)
{
    if (const char* value = std::getenv("LC_ALL")) {
        m_saved = value;
        m_had = true;
    }
    setenv("LC_ALL", locale, 1);
}

CScopedLanguage::~CScopedLanguage()
{
    if (m_had) {
        setenv("LC_ALL", m_saved.c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
}
