#pragma once
#include <cstdint>
#include <optional>
#include <span>

// The bulk scans of the pattern search over raw sample words. Nothing here
// reads outside words[0..count-1]; a start outside the words is a miss.
//
// Horizontal: a window of `length` consecutive clocks s..s+length-1 of one
// channel; its value has the earliest clock as the most significant of the
// length bits. The scan packs the channel's bit of 64 words into one 64-bit
// word and tests 64 window starts at once with masked word operations.
//
// Vertical: the bits of a block of channels at one clock; the first channel
// of the block is bit 0. The scan compares (word & mask) with the expected
// bits, 8 words per instruction where the processor can.
class CPatternScan {
public:
    // The value a vertical block must show, folded into one mask and one
    // expected word. Possible is false when no clock can match: a value bit
    // beyond the block, a channel outside 0..31 (it reads as 0) asked to be
    // 1, or one channel asked to be both 0 and 1.
    struct VERTICAL_KEY {
        uint32_t Mask = 0;
        uint32_t Expected = 0;
        bool Possible = true;
    };
    [[nodiscard]] static VERTICAL_KEY MakeVerticalKey(std::span<const int> channels, uint32_t value);

    // First window start s >= from with s + length <= count whose value equals
    // `value`. A channel outside 0..31 reads as 0; length 1..32.
    [[nodiscard]] static std::optional<uint32_t> HorizontalForward(const uint32_t* words, uint32_t count, int channel,
                                                                   uint32_t value, int length, uint64_t from);
    // First window, scanning window ends e = to, to-1, ... down to length-1,
    // whose value equals `value`; returns the window's first clock. An end
    // beyond the words starts at the last word; a negative end is a miss.
    [[nodiscard]] static std::optional<uint32_t> HorizontalBackward(const uint32_t* words, uint32_t count,
                                                                    int channel, uint32_t value, int length,
                                                                    int64_t to);
    // First clock t >= from (forward) or t <= to (backward) whose word matches the key.
    [[nodiscard]] static std::optional<uint32_t> VerticalForward(const uint32_t* words, uint32_t count,
                                                                 const VERTICAL_KEY& key, uint64_t from);
    [[nodiscard]] static std::optional<uint32_t> VerticalBackward(const uint32_t* words, uint32_t count,
                                                                  const VERTICAL_KEY& key, int64_t to);

    // The processor's vector instructions are used when it has them; tests
    // switch them off to check the plain word path against them.
    static void UseVectorUnit(bool use);
    [[nodiscard]] static bool VectorUnitUsed();
};
