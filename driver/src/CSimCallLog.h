// Bounded log of the board operations called, one text line per call.
#pragma once

#include <atomic>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>

namespace qdxsim {

class CSimCallLog {
public:
    static constexpr std::size_t kMaxLines = 65536;

    CSimCallLog() = default;
    CSimCallLog(const CSimCallLog&) = delete;
    CSimCallLog& operator=(const CSimCallLog&) = delete;

    [[nodiscard]] bool Enabled() const { return m_enabled.load(std::memory_order_relaxed); }
    void SetEnabled(bool enabled) { m_enabled.store(enabled, std::memory_order_relaxed); }
    void Append(std::string line);
    void Clear();
    // All lines, each ended by "\n".
    [[nodiscard]] std::string Text() const;

private:
    std::atomic<bool> m_enabled{true};
    mutable std::mutex m_lock;
    std::deque<std::string> m_lines;
};

}  // namespace qdxsim
