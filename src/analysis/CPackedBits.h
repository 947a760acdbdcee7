#pragma once
#include <cstdint>
#include <vector>

// One bit per clock, 64 clocks to a word: the result of a logical operation
// over a whole memory takes 1/32 of the memory's size.
class CPackedBits {
public:
    CPackedBits() = default;
    explicit CPackedBits(uint32_t length) : m_words((static_cast<uint64_t>(length) + 63) / 64, 0), m_length(length) {}

    [[nodiscard]] uint32_t Length() const { return m_length; }
    [[nodiscard]] bool Empty() const { return m_length == 0; }
    // The bit of clock i (0 or 1); i must lie below Length().
    [[nodiscard]] int Bit(uint32_t i) const { return static_cast<int>((m_words[i >> 6] >> (i & 63)) & 1U); }
    [[nodiscard]] uint64_t* Words() { return m_words.data(); }
    [[nodiscard]] const uint64_t* Words() const { return m_words.data(); }
    [[nodiscard]] std::size_t WordCount() const { return m_words.size(); }
    // Set bits among the first Length() clocks.
    [[nodiscard]] uint64_t CountOnes() const;

private:
    std::vector<uint64_t> m_words;
    uint32_t m_length = 0;
};
