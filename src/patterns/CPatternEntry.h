#pragma once
#include <cstdint>
#include <string>

// How the pattern dialogs read what was typed: decimal digits up to the first
// other character, 0 when there is none; a value past 32 bits stays at the
// largest 32-bit number. OK then checks the channel (0..31) and, for a clock,
// the period; a failed check keeps the dialog open with the message returned.
class CPatternEntry {
public:
    [[nodiscard]] static uint32_t Number(const std::string& typed);
    // "" when the channel is 0..31, else "Enter an integer between 0 and 31."
    [[nodiscard]] static std::string ChannelProblem(uint32_t channel);
    // "" when the two counts give a period of 1 .. 100,000,000 clocks, else
    // "Enter an integer between 1 and 100000000."
    [[nodiscard]] static std::string PeriodProblem(uint32_t zeroCount, uint32_t oneCount);
};
