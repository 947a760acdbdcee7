#include "device/CMonitorScanner.h"

#include <algorithm>

CMonitorScanner::CMonitorScanner(const RUN_SETTINGS& settings, uint32_t memoryLength)
    : m_settings(settings),
      m_length(std::max<uint32_t>(memoryLength, 1)),
      m_mask(settings.MonitorBits >= 32 ? 0xFFFFFFFFu : (1u << settings.MonitorBits) - 1) {}

DISPLAY_PLAN CMonitorScanner::Plan(uint64_t wordsToPatternEnd, uint64_t clocksPerPage, int percentage) {
    if (percentage >= 100) {
        return {clocksPerPage, clocksPerPage};
    }
    if (percentage <= 0) {
        return {std::min(wordsToPatternEnd, clocksPerPage), 0};
    }
    const uint64_t r = static_cast<uint64_t>(percentage);
    const uint64_t height = std::min(wordsToPatternEnd * 100 / (100 - r), clocksPerPage);
    return {height, r * height / 100};
}

uint32_t CMonitorScanner::VerticalValue(uint32_t word) const {
    uint32_t value = 0;
    for (int j = 0; j < m_settings.MonitorBits; ++j) {
        value |= ((word >> (m_settings.RowChannels[j] & 31)) & 1u) << j;
    }
    return value;
}

bool CMonitorScanner::Scan(const uint32_t* memory, uint64_t available, uint32_t clocksPerPage,
                           MONITOR_EVENT& event) {
    SkipLappedWords(available);
    return m_settings.MonitorMethod == 1 ? ScanVertical(memory, available, clocksPerPage, event)
                                         : ScanHorizontal(memory, available, clocksPerPage, event);
}

// Words the board has already overwritten again are not looked at.
void CMonitorScanner::SkipLappedWords(uint64_t available) {
    const uint64_t keep = m_length - m_length / 4;
    if (available > keep && m_next < available - keep) {
        m_next = available - keep;
        m_rolled = m_next;
        m_window = 0;
        m_pending = false;
    }
}

bool CMonitorScanner::ScanHorizontal(const uint32_t* memory, uint64_t available, uint32_t clocksPerPage,
                                     MONITOR_EVENT& event) {
    const auto n = static_cast<uint64_t>(m_settings.MonitorBits);
    const int channel = m_settings.MonitorChannel & 31;
    while (m_next + n <= available) {
        const uint64_t last = m_next + n - 1;
        if (m_rolled < m_next) {
            m_rolled = m_next;
        }
        while (m_rolled <= last) {
            m_window = (m_window << 1) | ((memory[m_rolled % m_length] >> channel) & 1u);
            ++m_rolled;
        }
        const uint64_t k = m_next++;
        // A window that runs past the end of the memory is not looked at.
        if (k % m_length + n - 1 < m_length && Check(k, m_window & m_mask, clocksPerPage, event)) {
            return true;
        }
    }
    return false;
}

bool CMonitorScanner::ScanVertical(const uint32_t* memory, uint64_t available, uint32_t clocksPerPage,
                                   MONITOR_EVENT& event) {
    while (m_next < available) {
        const uint64_t k = m_next++;
        if (Check(k, VerticalValue(memory[k % m_length]), clocksPerPage, event)) {
            return true;
        }
    }
    return false;
}

bool CMonitorScanner::Check(uint64_t k, uint32_t value, uint32_t clocksPerPage, MONITOR_EVENT& event) {
    const bool vertical = m_settings.MonitorMethod == 1;
    const uint64_t span = vertical ? 1 : static_cast<uint64_t>(m_settings.MonitorBits);
    if (!m_pending && value == m_settings.MonitorData) {
        const auto t = static_cast<uint32_t>(k % m_length);
        if (m_settings.MonitorMode == 1) {
            event = {MONITOR_EVENT::Kind::Stop, t, 0};
            return true;
        }
        const DISPLAY_PLAN plan = Plan(t + span, clocksPerPage, m_settings.MonitorPercentage);
        const int64_t patternEnd = static_cast<int64_t>(t) + static_cast<int64_t>(span) - 1;
        m_pending = true;
        m_matchPosition = t;
        m_displayAt = k + span - 1 + plan.Delay;
        m_firstClock = patternEnd + static_cast<int64_t>(plan.Delay) - static_cast<int64_t>(plan.Height) + 1;
    }
    if (m_pending && k >= m_displayAt) {
        m_pending = false;
        event = {MONITOR_EVENT::Kind::Display, m_matchPosition, m_firstClock};
        return true;
    }
    return false;
}
