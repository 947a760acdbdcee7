#pragma once
#include <cstdint>
#include <mutex>
#include <unordered_map>

class QObject;

// Turns window messages posted from any thread (the board library's thread,
// the run threads) into queued events of the window named by a handle.
// Handles are numbers handed out here, never reused, so a message for a
// window that has gone is dropped.
class CWindowMessageRouter {
public:
    CWindowMessageRouter() = default;
    CWindowMessageRouter(const CWindowMessageRouter&) = delete;
    CWindowMessageRouter& operator=(const CWindowMessageRouter&) = delete;

    [[nodiscard]] intptr_t Register(QObject* window);
    // After this returns no event is posted to the window any more.
    void Unregister(intptr_t handle);
    // False when no window has that handle.
    bool Post(intptr_t handle, uint32_t message, uintptr_t wparam, intptr_t lparam);

    // The board library's message poster; ctx is the router.
    static void PostFromLibrary(intptr_t hwnd, uint32_t msg, uintptr_t wparam, intptr_t lparam, void* ctx);

private:
    std::mutex m_lock;
    std::unordered_map<intptr_t, QObject*> m_windows;
    intptr_t m_next = 1;
};
