#include "files/CVcdSamples.h"

#include <algorithm>
#include <new>

CVcdSamples::CVcdSamples(uint64_t maxWords) : m_max(std::min<uint64_t>(maxWords, UINT32_MAX)) {
    try {
        m_words = std::make_unique<CLogicMemory>(static_cast<uint32_t>(std::max<uint64_t>(m_max, 1)));
    } catch (const std::bad_alloc&) {
        m_words = std::make_unique<CLogicMemory>(static_cast<uint32_t>(std::min<uint64_t>(m_max, StartWords)));
    }
}

CVcdSamples::~CVcdSamples() = default;

bool CVcdSamples::Reserve(uint64_t words) {
    if (words <= m_words->Length()) {
        return true;
    }
    const uint64_t grown = std::min<uint64_t>(std::max<uint64_t>(words, uint64_t{m_words->Length()} + GrowWords),
                                              std::max<uint64_t>(m_max, words));
    return grown <= UINT32_MAX && m_words->Resize(static_cast<uint32_t>(grown));
}

bool CVcdSamples::Refine(uint64_t factor) {
    if (factor <= 1 || m_filled == 0) {
        return true;
    }
    if (m_filled > m_max / factor || !Reserve(m_filled * factor)) {
        return false;
    }
    // From the back, so that no word is overwritten before it was spread.
    uint32_t* words = m_words->Data();
    for (uint64_t i = m_filled; i-- > 0;) {
        const uint32_t word = words[i];
        std::fill(words + i * factor, words + (i + 1) * factor, word);
    }
    m_filled *= factor;
    return true;
}

bool CVcdSamples::Finish(uint64_t count, uint32_t value) {
    if (count == 0 || count > m_max || count < m_filled || !Reserve(count)) {
        return false;
    }
    std::fill(m_words->Data() + m_filled, m_words->Data() + count, value);
    m_filled = count;
    return m_words->Resize(static_cast<uint32_t>(count));
}
