#pragma once
#include <cstdint>

#include "device/CRunState.h"

// Where the graph shows a match in automatic update mode: h clocks per view
// ending d words after the pattern end.
struct DISPLAY_PLAN {
    uint64_t Height = 0;  // h
    uint64_t Delay = 0;   // d
};

// Something the data monitor found for the window thread.
struct MONITOR_EVENT {
    enum class Kind { Stop, Display };
    Kind What = Kind::Stop;
    uint32_t Position = 0;   // t: the match position in the sampling memory
    int64_t FirstClock = 0;  // Display: first clock to show, not yet limited
};

// The data monitor's search for the compare pattern in the words a sampling
// run made available, along the clock axis of one channel (method 0) or
// across channel-table rows at one clock (method 1). Positions k count the
// words since the start of the run; word k sits at k mod M in the memory.
class CMonitorScanner {
public:
    CMonitorScanner(const RUN_SETTINGS& settings, uint32_t memoryLength);

    // Looks at the positions the first `available` words allow, from where
    // the last call stopped. True with `event` filled when a match must be
    // shown; call again to go on after it.
    [[nodiscard]] bool Scan(const uint32_t* memory, uint64_t available, uint32_t clocksPerPage,
                            MONITOR_EVENT& event);

    [[nodiscard]] static DISPLAY_PLAN Plan(uint64_t wordsToPatternEnd, uint64_t clocksPerPage, int percentage);
    // Vertical value of one sample word: bit j is the word's bit at the
    // device channel of row c + j.
    [[nodiscard]] uint32_t VerticalValue(uint32_t word) const;
    [[nodiscard]] uint64_t NextPosition() const { return m_next; }

private:
    [[nodiscard]] bool ScanHorizontal(const uint32_t* memory, uint64_t available, uint32_t clocksPerPage,
                                      MONITOR_EVENT& event);
    [[nodiscard]] bool ScanVertical(const uint32_t* memory, uint64_t available, uint32_t clocksPerPage,
                                    MONITOR_EVENT& event);
    [[nodiscard]] bool Check(uint64_t k, uint32_t value, uint32_t clocksPerPage, MONITOR_EVENT& event);
    void SkipLappedWords(uint64_t available);

    RUN_SETTINGS m_settings;
    uint32_t m_length;
    uint32_t m_mask;
    uint64_t m_next = 0;
    // Horizontal: the bits of the words before m_rolled, the latest in bit 0.
    uint32_t m_window = 0;
    uint64_t m_rolled = 0;
    bool m_pending = false;
    uint64_t m_displayAt = 0;
    uint32_t m_matchPosition = 0;
    int64_t m_firstClock = 0;
};
