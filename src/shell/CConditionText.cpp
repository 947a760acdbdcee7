#include "shell/CConditionText.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

std::size_t SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f')) {
        ++i;
    }
    return i;
}

// The sign at i, if any: true for a minus; i moves past it.
bool ReadSign(std::string_view text, std::size_t& i) {
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        return text[i++] == '-';
    }
    return false;
}

int DigitValue(char c, int base) {
    int value = 99;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

}  // namespace

int32_t CConditionText::Number(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    const bool negative = ReadSign(text, i);
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{1} << 32);
    }
    value = negative ? -value : value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

uint32_t CConditionText::Unsigned(std::string_view text, int base) {
    std::size_t i = SkipBlanks(text);
    const bool negative = ReadSign(text, i);
    // "0x" counts as a prefix only when a digit follows it.
    if (base == 16 && i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        DigitValue(text[i + 2], 16) >= 0) {
        i += 2;
    }
    uint64_t value = 0;
    bool overflow = false;
    for (int digit = 0; i < text.size() && (digit = DigitValue(text[i], base)) >= 0; ++i) {
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > std::numeric_limits<uint32_t>::max()) {
            overflow = true;
            value = std::numeric_limits<uint32_t>::max();
        }
    }
    if (overflow) {
        return std::numeric_limits<uint32_t>::max();
    }
    const auto result = static_cast<uint32_t>(value);
    return negative ? 0U - result : result;
}

std::string CConditionText::Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

std::string CConditionText::Binary(uint32_t value, int bits) {
    bits = std::clamp(bits, 1, 32);
    std::string text(static_cast<std::size_t>(bits), '0');
    for (int bit = 0; bit < bits; ++bit) {
        if ((value >> bit) & 1U) {
            text[static_cast<std::size_t>(bits - 1 - bit)] = '1';
        }
    }
    return text;
}

std::string CConditionText::Percent(int value) { return std::to_string(value) + "%"; }
