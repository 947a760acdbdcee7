#include "CSimMessenger.h"

namespace qdxsim {

void CSimMessenger::SetPoster(QDX_MESSAGE_POSTER post, void* ctx)
{
    std::lock_guard lock(m_lock);
    m_post = post;
    m_ctx = ctx;
}

void CSimMessenger::Post(intptr_t hwnd, uint32_t msg, uintptr_t wparam, intptr_t lparam)
{
    if (hwnd == 0) return;
    // Held across the call so that SetPoster waits for a post in flight.
    std::lock_guard lock(m_lock);
    if (m_post != nullptr) m_post(hwnd, msg, wparam, lparam, m_ctx);
}

}  // namespace qdxsim
