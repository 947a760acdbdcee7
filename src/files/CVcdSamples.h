#pragma once
#include <cstdint>
#include <memory>

#include "document/CLogicMemory.h"

// The words of a dump being read, one per multiple of a step, in a memory
// that grows as the times come in. The step may become finer while reading
// (the greatest common divisor of the times shrinks): every word then stands
// for as many finer words. The memory is taken for the most words at once:
// the system gives pages only to the words written, and the block never
// moves (moving a block of huge pages copies it), so the words are held once.
// Where that much address space cannot be had, it starts smaller and grows.
class CVcdSamples {
public:
    static constexpr uint32_t StartWords = uint32_t{1} << 20;
    static constexpr uint32_t GrowWords = uint32_t{2} << 20;  // 8 MB more at a time

    explicit CVcdSamples(uint64_t maxWords);
    ~CVcdSamples();

    // The words at the multiples of `step` before `until` take `value`.
    // False when that would give more than the most words, or the memory
    // cannot grow.
    [[nodiscard]] bool FillBefore(uint64_t until, uint64_t step, uint32_t value) {
        const uint64_t needed = until == 0 ? 0 : (until - 1) / step + 1;
        if (needed <= m_filled) {
            return true;
        }
        if (needed > m_max || !Reserve(needed)) {
            return false;
        }
        uint32_t* words = m_words->Data();
        for (uint64_t i = m_filled; i < needed; ++i) {
            words[i] = value;
        }
        m_filled = needed;
        return true;
    }
    // One more word.
    [[nodiscard]] bool Add(uint32_t value) {
        if (m_filled >= m_words->Length() && (m_filled >= m_max || !Reserve(m_filled + 1))) {
            return false;
        }
        m_words->Data()[m_filled++] = value;
        return true;
    }
    // Every word so far becomes `factor` words of a step `factor` times finer.
    [[nodiscard]] bool Refine(uint64_t factor);
    // Exactly `count` words (count >= Filled()), the last ones `value`.
    [[nodiscard]] bool Finish(uint64_t count, uint32_t value);

    [[nodiscard]] uint64_t Filled() const { return m_filled; }
    [[nodiscard]] CLogicMemory& Memory() { return *m_words; }

private:
    [[nodiscard]] bool Reserve(uint64_t words);

    std::unique_ptr<CLogicMemory> m_words;
    uint64_t m_filled = 0;
    uint64_t m_max;
};
