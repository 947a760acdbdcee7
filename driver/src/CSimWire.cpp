#include "CSimWire.h"

#include <algorithm>

namespace qdxsim {

CSimWire::CSimWire() : m_history(kHistoryWords, 0) {}

uint64_t CSimWire::Attach(SIM_PACE pace, uint64_t delayNs, uint64_t& originNs)
{
    std::lock_guard lock(m_lock);
    originNs = SimNowNs() + delayNs;
    ++m_serial;
    m_attached = true;
    m_running = true;
    m_pace = pace;
    m_originNs = originNs;
    m_dataStart = UINT64_MAX;
    m_produced = 0;
    m_processed = 0;
    m_levelBefore = m_level;
    return m_serial;
}

void CSimWire::BeginData(uint64_t serial, uint64_t firstTick)
{
    std::lock_guard lock(m_lock);
    if (serial != m_serial) return;
    m_dataStart = firstTick;
    m_processed = std::max(m_processed, firstTick);
}

void CSimWire::Publish(uint64_t serial, const uint32_t* words, uint64_t count, uint64_t processedTick)
{
    std::lock_guard lock(m_lock);
    if (serial != m_serial || !m_running) return;
    const uint64_t keep = std::min<uint64_t>(count, kHistoryWords);
    const uint32_t* src = words + (count - keep);
    uint64_t pos = m_produced + (count - keep);
    uint64_t left = keep;
    while (left > 0) {
        const uint64_t slot = pos & (kHistoryWords - 1);
        const uint64_t run = std::min(left, kHistoryWords - slot);
        std::copy_n(src, run, m_history.begin() + static_cast<std::ptrdiff_t>(slot));
        src += run;
        pos += run;
        left -= run;
    }
    m_produced += count;
    if (count > 0) m_level = words[count - 1];
    m_processed = std::max(m_processed, processedTick);
}

void CSimWire::Progress(uint64_t serial, uint64_t processedTick)
{
    std::lock_guard lock(m_lock);
    if (serial != m_serial) return;
    m_processed = std::max(m_processed, processedTick);
}

void CSimWire::Detach(uint64_t serial)
{
    std::lock_guard lock(m_lock);
    if (serial != m_serial) return;
    m_running = false;
}

void CSimWire::SetLatch(uint32_t level)
{
    std::lock_guard lock(m_lock);
    if (m_running) return;
    m_attached = false;
    m_level = level;
}

uint32_t CSimWire::WordAtLocked(uint64_t tick) const
{
    if (tick < m_dataStart) return m_levelBefore;
    const uint64_t index = tick - m_dataStart;
    if (index >= m_produced) return m_level;
    return m_history[index & (kHistoryWords - 1)];
}

uint64_t CSimWire::Sample(uint64_t originNs, SIM_PACE pace, uint64_t firstTick, uint64_t count, uint32_t* out) const
{
    std::lock_guard lock(m_lock);
    if (!m_attached) {
        std::fill_n(out, count, m_level);
        return count;
    }
    // Equal whole-nanosecond periods advance the generator tick by one per word.
    const bool lockstep = pace == m_pace && pace.Num == 1;
    bool haveTick = false;
    uint64_t genTick = 0;
    for (uint64_t i = 0; i < count; ++i) {
        if (haveTick && lockstep) {
            ++genTick;
        } else {
            const uint64_t at = originNs + pace.TimeOfTick(firstTick + i);
            if (at < m_originNs) {
                out[i] = m_levelBefore;
                continue;
            }
            genTick = m_pace.TicksIn(at - m_originNs);
            haveTick = true;
        }
        if (m_running && genTick >= m_processed) return i;
        out[i] = WordAtLocked(genTick);
    }
    return count;
}

uint32_t CSimWire::LevelNow() const
{
    std::lock_guard lock(m_lock);
    return m_level;
}

}  // namespace qdxsim
