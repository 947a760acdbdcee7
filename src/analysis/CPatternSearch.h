#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "analysis/CPatternScan.h"
#include "document/SEARCH_REQUEST.h"

class ISearchBlocks;

// A hit: the block it lies in and the window's first clock (horizontal) or
// the clock (vertical) in that block.
struct SEARCH_HIT {
    std::size_t Block = 0;
    uint32_t Clock = 0;

    bool operator==(const SEARCH_HIT&) const = default;
};

// The outcome of a search through blocks: a hit, a miss, or a block that
// could not be read (also a miss).
struct SEARCH_RESULT {
    std::optional<SEARCH_HIT> Hit;
    std::optional<std::size_t> FailedBlock;
};

// One resolved search: the channel of a horizontal search or the channels of
// a vertical block, the value and the window length. Forward and backward
// scans of the loaded words, and Search All through the following (or
// preceding) blocks, each block searched on its own.
class CPatternSearch {
public:
    // Horizontal on a channel with a window of `length` clocks.
    CPatternSearch(int channel, uint32_t value, int length);
    // Vertical across the channels of a block (the first is bit 0).
    CPatternSearch(std::span<const int> channels, uint32_t value);

    [[nodiscard]] SEARCH_TYPE Type() const { return m_type; }
    // Window length: 1 for a vertical search.
    [[nodiscard]] int Length() const { return m_type == SEARCH_TYPE::Vertical ? 1 : m_length; }

    // First window starting at or after `from`.
    [[nodiscard]] std::optional<uint32_t> Forward(const uint32_t* words, uint32_t count, uint64_t from) const;
    // First window ending at or before `to` (a negative `to` is a miss).
    [[nodiscard]] std::optional<uint32_t> Backward(const uint32_t* words, uint32_t count, int64_t to) const;

    // Starts in the loaded block `block` at `position` (forward: first clock
    // of the window; backward: its last clock). With `acrossBlocks`, a miss
    // goes on in the next block from clock 0 (forward) or in the previous one
    // from its last valid clock (backward), loading it first.
    [[nodiscard]] SEARCH_RESULT Run(ISearchBlocks& blocks, std::size_t block, int64_t position, bool forward,
                                    bool acrossBlocks) const;

private:
    SEARCH_TYPE m_type;
    int m_channel = 0;
    uint32_t m_value = 0;
    int m_length = 1;
    CPatternScan::VERTICAL_KEY m_key;
};

// Reads a pattern text in a radix: the value of its valid prefix (digits
// beyond 32 bits shift out). Valid reports whether every character was a digit.
[[nodiscard]] uint32_t ParsePatternText(const std::string& text, SEARCH_RADIX radix, bool* valid = nullptr);
