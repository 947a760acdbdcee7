// Faults injected by the bench: failing operations and a buffer length limit.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

namespace qdxsim {

class CSimFaults {
public:
    CSimFaults() = default;
    CSimFaults(const CSimFaults&) = delete;
    CSimFaults& operator=(const CSimFaults&) = delete;

    // times -1: until cleared; 0: clears the entry.
    void FailFunction(const std::string& name, int32_t code, int32_t times);
    void ClearAll();
    // The code the named operation must fail with now, or 0.
    [[nodiscard]] int32_t Take(const char* name);

    void SetMaxBufferLength(uint32_t words) { m_maxBuffer.store(words, std::memory_order_relaxed); }
    [[nodiscard]] bool BufferAllowed(uint32_t words) const
    {
        const uint32_t limit = m_maxBuffer.load(std::memory_order_relaxed);
        return limit == 0 || words <= limit;
    }

private:
    struct FAULT {
        int32_t Code = 0;
        int32_t Times = 0;
    };
    std::mutex m_lock;
    std::map<std::string, FAULT, std::less<>> m_faults;
    std::atomic<bool> m_any{false};
    std::atomic<uint32_t> m_maxBuffer{0};
};

}  // namespace qdxsim
