#include "document/CDataPatternList.h"

DATA_PATTERN CDataPatternList::MakePattern(int kind, const std::string& bits) {
    DATA_PATTERN pattern;
    pattern.Kind = static_cast<int16_t>(kind);
    pattern.Length = static_cast<int32_t>(bits.size());
    pattern.Bits = bits;
    return pattern;
}

void CDataPatternList::Add(const DATA_PATTERN& pattern) {
    if (m_entries.size() >= MaxEntries) {
        m_entries.erase(m_entries.begin());
    }
    m_entries.push_back(pattern);
}

bool CDataPatternList::RemoveAt(std::size_t index) {
    if (index >= m_entries.size()) {
        return false;
    }
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

DATA_PATTERN* CDataPatternList::At(std::size_t index) {
    return index < m_entries.size() ? &m_entries[index] : nullptr;
}

const DATA_PATTERN* CDataPatternList::At(std::size_t index) const {
    return index < m_entries.size() ? &m_entries[index] : nullptr;
}

int CDataPatternList::SlotAt(int x) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const DATA_PATTERN& entry = m_entries[i];
        if (entry.SlotRight > entry.SlotLeft && entry.SlotLeft <= x && x <= entry.SlotRight) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
