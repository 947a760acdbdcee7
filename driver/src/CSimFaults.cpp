#include "CSimFaults.h"

namespace qdxsim {

void CSimFaults::FailFunction(const std::string& name, int32_t code, int32_t times)
{
    std::lock_guard lock(m_lock);
    if (times == 0 || code == 0) {
        m_faults.erase(name);
    } else {
        m_faults[name] = FAULT{code, times};
    }
    m_any.store(!m_faults.empty(), std::memory_order_relaxed);
}

void CSimFaults::ClearAll()
{
    std::lock_guard lock(m_lock);
    m_faults.clear();
    m_any.store(false, std::memory_order_relaxed);
}

int32_t CSimFaults::Take(const char* name)
{
    if (!m_any.load(std::memory_order_relaxed)) return 0;
    std::lock_guard lock(m_lock);
    const auto it = m_faults.find(std::string_view(name));
    if (it == m_faults.end()) return 0;
    const int32_t code = it->second.Code;
    if (it->second.Times > 0 && --it->second.Times == 0) m_faults.erase(it);
    m_any.store(!m_faults.empty(), std::memory_order_relaxed);
    return code;
}

}  // namespace qdxsim
