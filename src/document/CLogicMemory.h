#pragma once
#include <cstdint>

// A growable array of 32-bit sample words, one per clock; bit k of a word is
// the level of device channel k. After every resize the block holds exactly
// the length, so a 100,000,000-word memory never keeps a larger block.
class CLogicMemory {
public:
    explicit CLogicMemory(uint32_t length);
    ~CLogicMemory();
    CLogicMemory(const CLogicMemory&) = delete;
    CLogicMemory& operator=(const CLogicMemory&) = delete;

    [[nodiscard]] uint32_t Length() const { return m_length; }
    [[nodiscard]] uint32_t* Data() { return m_words; }
    [[nodiscard]] const uint32_t* Data() const { return m_words; }

    // Words 0..min(old, n)-1 keep their values, new words are 0, words beyond
    // n are dropped. False (and nothing changed) when n is 0 or the block
    // cannot be allocated.
    [[nodiscard]] bool Resize(uint32_t length);
    // Exchanges the words with another memory (no word is copied); both
    // count as replaced.
    void Swap(CLogicMemory& other) noexcept;
    // Zero-fills the whole memory.
    void Clear();

    // Changes whenever the words are replaced as a whole (a successful
    // Resize, even to the same length, Clear, MarkReplaced): what was
    // recorded about the previous contents no longer applies.
    [[nodiscard]] uint64_t Generation() const { return m_generation; }
    void MarkReplaced() { ++m_generation; }

    // Checked access: a position outside the memory throws CImproperArgument.
    [[nodiscard]] uint32_t Word(uint32_t position) const;
    void SetWord(uint32_t position, uint32_t word);
    [[nodiscard]] int Bit(uint32_t position, int channel) const;
    void SetBit(uint32_t position, int channel);
    void ClearBit(uint32_t position, int channel);
    void InvertBit(uint32_t position, int channel);

private:
    void Check(uint32_t position, int channel) const;

    uint32_t* m_words = nullptr;
    uint32_t m_length = 0;
    uint64_t m_generation = 0;
};
