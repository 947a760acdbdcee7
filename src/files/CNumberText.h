#pragma once
#include <array>
#include <cstring>
#include <cstdint>
#include <string_view>

// Number conversions of the text files, byte-wise and allocation-free.
class CNumberText {
public:
    // Decimal: leading blanks skipped, an optional sign, digits up to the
    // first non-digit; 0 when there is none. Wraps like the fixed-width field
    // it is stored in, so "%d" of any u32 reads back unchanged.
    [[nodiscard]] static int64_t Decimal(std::string_view text);
    // Decimal into a field that holds low .. high; false (value untouched)
    // when the number lies outside, however many digits it has.
    [[nodiscard]] static bool DecimalIn(std::string_view text, int64_t low, int64_t high, int64_t& value);
    // UnsignedAuto; false when the number does not fit in 32 bits.
    [[nodiscard]] static bool UnsignedAutoFits(std::string_view text, uint32_t& value);
    // Unsigned with the prefix rule: "0x" hexadecimal, a leading "0" octal,
    // anything else decimal (blanks and a sign as above). Too large values
    // give 0xFFFFFFFF.
    [[nodiscard]] static uint32_t UnsignedAuto(std::string_view text);
    // Hexadecimal data cell: blanks, a sign and a "0x" prefix are accepted;
    // digits up to the first non-hex character; too large values give 0xFFFFFFFF.
    [[nodiscard]] static uint32_t Hex(std::string_view text);

    // Value of a hexadecimal digit, 0xFF for any other byte.
    [[nodiscard]] static uint8_t HexValue(char c) {
        return HexTable[static_cast<unsigned char>(c)];
    }
    // Eight upper-case hexadecimal digits ("%08X") at out.
    static void Hex8(char* out, uint32_t word) {
        const uint16_t* pairs = HexPairs.data();
        std::memcpy(out + 0, &pairs[word >> 24], 2);
        std::memcpy(out + 2, &pairs[(word >> 16) & 0xFF], 2);
        std::memcpy(out + 4, &pairs[(word >> 8) & 0xFF], 2);
        std::memcpy(out + 6, &pairs[word & 0xFF], 2);
    }

    static const std::array<uint8_t, 256> HexTable;
    // Two upper-case digits of every byte value, in memory order.
    static const std::array<uint16_t, 256> HexPairs;
};
