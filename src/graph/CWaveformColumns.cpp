#include "graph/CWaveformColumns.h"

void CWaveformColumns::Build(const uint32_t* words, int first, int end, float p, int x0) {
    m_columns.clear();
    m_x0 = x0;
    m_first = first;
    m_end = end;
    if (words == nullptr || end <= first) {
        return;
    }
    m_columns.reserve(static_cast<std::size_t>(end - first));
    WAVE_COLUMN column;
    uint32_t ones = 0;
    uint32_t zeros = 0;
    bool open = false;
    for (int i = first; i < end; ++i) {
        const int x = static_cast<int>(static_cast<float>(i - first + 1) * p) + x0;
        const uint32_t word = words[i];
        if (open && x == column.x) {
            column.last = word;
            ones |= word;
            zeros |= ~word;
            continue;
        }
        if (open) {
            column.changed = ones & zeros;
            m_columns.push_back(column);
        }
        column.x = x;
        column.first = word;
        column.last = word;
        ones = word;
        zeros = ~word;
        open = true;
    }
    column.changed = ones & zeros;
    m_columns.push_back(column);
}
