#include "CSimCallLog.h"

namespace qdxsim {

void CSimCallLog::Append(std::string line)
{
    std::lock_guard lock(m_lock);
    if (m_lines.size() == kMaxLines) m_lines.pop_front();
    m_lines.push_back(std::move(line));
}

void CSimCallLog::Clear()
{
    std::lock_guard lock(m_lock);
    m_lines.clear();
}

std::string CSimCallLog::Text() const
{
    std::lock_guard lock(m_lock);
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
        text += '\n';
    }
    return text;
}

}  // namespace qdxsim
