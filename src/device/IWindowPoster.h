#pragma once
#include <cstdint>

// Queues a window message to one document window. Safe to call from any
// thread; the message is handled later, in posting order, on the window
// thread (CDeviceRun::OnWindowMessage). It never waits for the window thread.
class IWindowPoster {
public:
    virtual ~IWindowPoster() = default;
    virtual void PostMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) = 0;
    // The handle the board library names this window by in its notifications.
    [[nodiscard]] virtual intptr_t WindowHandle() const = 0;
};
