#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CChannelTable;
class CLogicMemory;

// The values the channel list shows at the graph's current clock: one text
// per displayed row, "%d" of a signal's bit and "%02X" of a bus value. In
// Sampling direction the word is read only while the clock lies inside the
// graph's visible clocks; outside them the last word read there is shown.
class CChannelValues {
public:
    struct VIEW_RANGE {
        int64_t FirstVisibleClock = 0;
        int64_t VisibleClocks = 0;
    };

    // The sample word for clock position p of a direction's memory, or none
    // (no memory, or p outside it in Generating direction).
    [[nodiscard]] std::optional<uint32_t> WordAt(int direction, const CLogicMemory* memory, int64_t p,
                                                 VIEW_RANGE range);
    [[nodiscard]] uint32_t CachedWord() const { return m_cached; }

    // One text per displayed row of the table; "-" for every row without a word.
    [[nodiscard]] static std::vector<std::string> Texts(const CChannelTable& table, std::optional<uint32_t> word);

private:
    uint32_t m_cached = 0;
};
