#include "analysis/CPackedBits.h"

#include <bit>

uint64_t CPackedBits::CountOnes() const {
    uint64_t ones = 0;
    for (uint64_t word : m_words) {
        ones += static_cast<uint64_t>(std::popcount(word));
    }
    return ones;
}
