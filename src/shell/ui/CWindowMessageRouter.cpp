#include "shell/ui/CWindowMessageRouter.h"

#include <QCoreApplication>

#include "shell/ui/CWindowMessageEvent.h"

intptr_t CWindowMessageRouter::Register(QObject* window) {
    std::lock_guard<std::mutex> guard(m_lock);
    const intptr_t handle = m_next++;
    m_windows[handle] = window;
    return handle;
}

void CWindowMessageRouter::Unregister(intptr_t handle) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_windows.erase(handle);
}

bool CWindowMessageRouter::Post(intptr_t handle, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    // The lock keeps the window alive while the event is queued: a window
    // unregisters (under the lock) before it is destroyed.
    std::lock_guard<std::mutex> guard(m_lock);
    const auto found = m_windows.find(handle);
    if (found == m_windows.end()) {
        return false;
    }
    QCoreApplication::postEvent(found->second, new CWindowMessageEvent(message, wparam, lparam));
    return true;
}

void CWindowMessageRouter::PostFromLibrary(intptr_t hwnd, uint32_t msg, uintptr_t wparam, intptr_t lparam,
                                           void* ctx) {
    if (ctx != nullptr) {
        static_cast<CWindowMessageRouter*>(ctx)->Post(hwnd, msg, wparam, lparam);
    }
}
