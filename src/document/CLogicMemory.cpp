#include "document/CLogicMemory.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "document/CImproperArgument.h"

#include <sys/mman.h>
#include <unistd.h>

namespace {

// Large memories ask for huge pages: the first touch of 400 MB then costs a
// few hundred faults instead of a hundred thousand.
void AdviseHugePages(void* block, std::size_t bytes) {
    constexpr std::size_t Large = std::size_t{8} << 20;
    if (bytes < Large) {
        return;
    }
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(block) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + bytes) / page * page;
    if (end > begin) {
        // Only advice: without huge pages the memory works the same.
        (void)madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
}

}  // namespace

CLogicMemory::CLogicMemory(uint32_t length) {
    if (length == 0) {
        length = 1;
    }
    m_words = static_cast<uint32_t*>(std::calloc(length, sizeof(uint32_t)));
    if (m_words == nullptr) {
        throw std::bad_alloc();
    }
    AdviseHugePages(m_words, static_cast<std::size_t>(length) * sizeof(uint32_t));
    m_length = length;
}

CLogicMemory::~CLogicMemory() { std::free(m_words); }

bool CLogicMemory::Resize(uint32_t length) {
    if (length == 0) {
        return false;
    }
    if (length == m_length) {
        MarkReplaced();
        return true;
    }
    // realloc keeps the words and gives an exact-size block; for large blocks
    // it moves pages instead of copying them, so growing never holds two
    // copies of the words.
    void* grown = std::realloc(m_words, static_cast<std::size_t>(length) * sizeof(uint32_t));
    if (grown == nullptr) {
        return false;
    }
    m_words = static_cast<uint32_t*>(grown);
    if (length > m_length) {
        AdviseHugePages(m_words, static_cast<std::size_t>(length) * sizeof(uint32_t));
        std::memset(m_words + m_length, 0, static_cast<std::size_t>(length - m_length) * sizeof(uint32_t));
    }
    m_length = length;
    MarkReplaced();
    return true;
}

void CLogicMemory::Swap(CLogicMemory& other) noexcept {
    std::swap(m_words, other.m_words);
    std::swap(m_length, other.m_length);
    MarkReplaced();
    other.MarkReplaced();
}

void CLogicMemory::Clear() {
    std::memset(m_words, 0, static_cast<std::size_t>(m_length) * sizeof(uint32_t));
    MarkReplaced();
}

void CLogicMemory::Check(uint32_t position, int channel) const {
    if (position >= m_length) {
        throw CImproperArgument("clock position outside the logic memory");
    }
    if (channel < 0 || channel > 31) {
        throw CImproperArgument("channel outside the sample word");
    }
}

uint32_t CLogicMemory::Word(uint32_t position) const {
    Check(position, 0);
    return m_words[position];
}

void CLogicMemory::SetWord(uint32_t position, uint32_t word) {
    Check(position, 0);
    m_words[position] = word;
}

int CLogicMemory::Bit(uint32_t position, int channel) const {
    Check(position, channel);
    return static_cast<int>((m_words[position] >> channel) & 1U);
}

void CLogicMemory::SetBit(uint32_t position, int channel) {
    Check(position, channel);
    m_words[position] |= 1U << channel;
}

void CLogicMemory::ClearBit(uint32_t position, int channel) {
    Check(position, channel);
    m_words[position] &= ~(1U << channel);
}

void CLogicMemory::InvertBit(uint32_t position, int channel) {
    Check(position, channel);
    m_words[position] ^= 1U << channel;
}
