// Delivers window messages to the host through the poster it registered.
#pragma once

#include <cstdint>
#include <mutex>

#include "qdxapi.h"

namespace qdxsim {

class CSimMessenger {
public:
    CSimMessenger() = default;
    CSimMessenger(const CSimMessenger&) = delete;
    CSimMessenger& operator=(const CSimMessenger&) = delete;

    // Once this returns, the previous poster is never called again.
    void SetPoster(QDX_MESSAGE_POSTER post, void* ctx);
    // Posts msg to hwnd; nothing happens for handle 0 or without a poster.
    void Post(intptr_t hwnd, uint32_t msg, uintptr_t wparam, intptr_t lparam);

private:
    std::mutex m_lock;
    QDX_MESSAGE_POSTER m_post = nullptr;
    void* m_ctx = nullptr;
};

}  // namespace qdxsim
