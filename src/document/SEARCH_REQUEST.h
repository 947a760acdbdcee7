#pragma once
#include <cstdint>
#include <string>

// Along the clock axis on one channel, or across a block of rows at one clock.
enum class SEARCH_TYPE : int { Horizontal = 0, Vertical = 1 };
// How the pattern text is read.
enum class SEARCH_RADIX : int { Binary = 0, Hexadecimal = 1 };

// The last search made, as the search dialog gave it; the document keeps it
// and the result box's Search page reads it.
struct SEARCH_REQUEST {
    uint32_t Value = 0;        // the text read in base 2 or 16
    std::string Text;          // the pattern text as typed
    int16_t TextLength = 0;
    SEARCH_TYPE Type = SEARCH_TYPE::Horizontal;
    int16_t ChannelCount = 1;  // rows of a vertical block
    int16_t StartChannel = 0;  // the searched channel, or the first of the block
    SEARCH_RADIX Radix = SEARCH_RADIX::Binary;
    int16_t BitCount = 4;      // window length of a hexadecimal horizontal search

    // The window length: the bit count in hexadecimal, the text length in binary.
    [[nodiscard]] int PatternLength() const { return Radix == SEARCH_RADIX::Hexadecimal ? BitCount : TextLength; }

    bool operator==(const SEARCH_REQUEST&) const = default;
};
