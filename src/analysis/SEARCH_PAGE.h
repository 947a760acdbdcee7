#pragma once
#include <cstdint>

// What the result box shows of the last search request.
struct SEARCH_PAGE {
    int Type = 0;          // 0 clock (horizontal axis), 1 channel (vertical axis)
    int StartChannel = 0;
    int Radix = 0;         // 0 binary, 1 hexadecimal
    int TextLength = 0;    // characters of the pattern text
    int Count = 0;         // bit count (horizontal) or channel count (vertical)
    uint32_t Value = 0;    // the parsed pattern

    bool operator==(const SEARCH_PAGE&) const = default;
};
