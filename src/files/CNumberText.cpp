#include "files/CNumberText.h"

namespace {

constexpr std::array<uint8_t, 256> MakeHexTable() {
    std::array<uint8_t, 256> table{};
    for (auto& value : table) {
        value = 0xFF;
    }
    for (int c = '0'; c <= '9'; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<uint8_t>(c - '0');
    }
    for (int c = 'A'; c <= 'F'; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<uint8_t>(c - 'A' + 10);
        table[static_cast<std::size_t>(c - 'A' + 'a')] = static_cast<uint8_t>(c - 'A' + 10);
    }
    return table;
}

std::array<uint16_t, 256> MakeHexPairs() {
    const char digits[] = "0123456789ABCDEF";
    std::array<uint16_t, 256> pairs{};
    for (unsigned i = 0; i < 256; ++i) {
        const char text[2] = {digits[i >> 4], digits[i & 15]};
        std::memcpy(&pairs[i], text, 2);
    }
    return pairs;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Skips blanks and a sign; true when the sign was "-".
bool SkipBlanksAndSign(std::string_view& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    text.remove_prefix(i);
    return negative;
}

// Digits of a radix from the start of text, saturating at 2^64 - 1.
uint64_t Digits(std::string_view text, unsigned radix, bool& overflow) {
    uint64_t value = 0;
    overflow = false;
    for (char c : text) {
        const unsigned digit = CNumberText::HexValue(c);
        if (digit >= radix) {
            break;
        }
        if (value > (UINT64_MAX - digit) / radix) {
            overflow = true;
            value = UINT64_MAX;
        } else if (!overflow) {
            value = value * radix + digit;
        }
    }
    return value;
}

bool HasHexPrefix(std::string_view text) {
    return text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
           CNumberText::HexValue(text[2]) < 16;
}

uint32_t Narrow(uint64_t value, bool overflow, bool negative) {
    if (overflow || value > UINT32_MAX) {
        return UINT32_MAX;
    }
    return static_cast<uint32_t>(negative ? 0 - value : value);
}

}  // namespace

const std::array<uint8_t, 256> CNumberText::HexTable = MakeHexTable();
const std::array<uint16_t, 256> CNumberText::HexPairs = MakeHexPairs();

int64_t CNumberText::Decimal(std::string_view text) {
    const bool negative = SkipBlanksAndSign(text);
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return static_cast<int64_t>(negative ? 0 - value : value);
}

bool CNumberText::DecimalIn(std::string_view text, int64_t low, int64_t high, int64_t& value) {
    const bool negative = SkipBlanksAndSign(text);
    bool overflow = false;
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    const uint64_t magnitude = Digits(text.substr(0, digits), 10, overflow);
    if (overflow || magnitude > (uint64_t{1} << 62)) {
        return false;
    }
    const int64_t number = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (number < low || number > high) {
        return false;
    }
    value = number;
    return true;
}

bool CNumberText::UnsignedAutoFits(std::string_view text, uint32_t& value) {
    std::string_view rest = text;
    (void)SkipBlanksAndSign(rest);
    bool overflow = false;
    uint64_t magnitude = 0;
    if (HasHexPrefix(rest)) {
        magnitude = Digits(rest.substr(2), 16, overflow);
    } else if (!rest.empty() && rest[0] == '0') {
        magnitude = Digits(rest, 8, overflow);
    } else {
        magnitude = Digits(rest, 10, overflow);
    }
    if (overflow || magnitude > UINT32_MAX) {
        return false;
    }
    value = UnsignedAuto(text);
    return true;
}

uint32_t CNumberText::UnsignedAuto(std::string_view text) {
    const bool negative = SkipBlanksAndSign(text);
    bool overflow = false;
    uint64_t value = 0;
    if (HasHexPrefix(text)) {
        value = Digits(text.substr(2), 16, overflow);
    } else if (!text.empty() && text[0] == '0') {
        value = Digits(text, 8, overflow);
    } else {
        value = Digits(text, 10, overflow);
    }
    return Narrow(value, overflow, negative);
}

uint32_t CNumberText::Hex(std::string_view text) {
    const bool negative = SkipBlanksAndSign(text);
    if (HasHexPrefix(text)) {
        text.remove_prefix(2);
    }
    bool overflow = false;
    const uint64_t value = Digits(text, 16, overflow);
    return Narrow(value, overflow, negative);
}
