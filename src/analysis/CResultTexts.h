#pragma once
#include <string>
#include <vector>

#include "analysis/FREQUENCY_RESULT.h"
#include "analysis/LOGIC_RESULT.h"
#include "analysis/PULSE_COUNT_RESULT.h"
#include "analysis/SEARCH_PAGE.h"

// The texts of the result box pages, built once for the box and for
// nivara-cli so both print the same bytes. Positions are written as 64-bit
// numbers.
class CResultTexts {
public:
    // "LOGIC AND:", "LOGIC OR:", "LOGIC XOR:", "LOGIC NOT:"
    [[nodiscard]] static std::string LogicTitle(LOGIC_OPERATION operation);
    // "Channel: " and the channels written "%d", separated by ", ".
    [[nodiscard]] static std::string LogicChannels(const std::vector<int16_t>& channels);
    // "PULSECOUNT(RISING): %d[Dec]" or "PULSECOUNT(FALLING): %d[Dec]".
    [[nodiscard]] static std::string PulseCountTitle(const PULSE_COUNT_RESULT& result);
    // "FREQUENCY: %.2f[Hz]".
    [[nodiscard]] static std::string FrequencyTitle(const FREQUENCY_RESULT& result);
    // "Channel: %d Start: %d[Clock] End: %d[Clock]".
    [[nodiscard]] static std::string RangeLine(int channel, int64_t start, int64_t end);
    // The search page's texts in drawing order: the mode, the channel and the data.
    [[nodiscard]] static std::vector<std::string> SearchTexts(const SEARCH_PAGE& page);
    // The lowest `count` bits of a value as digits, most significant first (count clamped to 0..32).
    [[nodiscard]] static std::string BinaryDigits(uint32_t value, int count);
};
