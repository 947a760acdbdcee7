#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// How the condition grid reads and shows its texts.
class CConditionText {
public:
    // A typed number: leading blanks, an optional sign, decimal digits up to
    // the first other character; 0 when there are none. Out of range gives
    // the nearest 32-bit value.
    [[nodiscard]] static int32_t Number(std::string_view text);
    // An unsigned number in base 16 or 2: leading blanks, an optional sign
    // (a minus negates), for base 16 an optional "0x"; digits up to the first
    // character that is not one. Too large gives 0xFFFFFFFF.
    [[nodiscard]] static uint32_t Unsigned(std::string_view text, int base);

    // Lower-case hexadecimal without leading zeros ("%x").
    [[nodiscard]] static std::string Hex(uint32_t value);
    // `bits` characters "0" or "1", bit (bits - 1) first and bit 0 last;
    // bits is held to 1..32.
    [[nodiscard]] static std::string Binary(uint32_t value, int bits);
    // "%d%%".
    [[nodiscard]] static std::string Percent(int value);
};
