#include "analysis/CPatternSearch.h"

#include "analysis/ISearchBlocks.h"

CPatternSearch::CPatternSearch(int channel, uint32_t value, int length)
    : m_type(SEARCH_TYPE::Horizontal), m_channel(channel), m_value(value), m_length(length) {}

CPatternSearch::CPatternSearch(std::span<const int> channels, uint32_t value)
    : m_type(SEARCH_TYPE::Vertical), m_value(value), m_key(CPatternScan::MakeVerticalKey(channels, value)) {}

std::optional<uint32_t> CPatternSearch::Forward(const uint32_t* words, uint32_t count, uint64_t from) const {
    if (m_type == SEARCH_TYPE::Vertical) {
        return CPatternScan::VerticalForward(words, count, m_key, from);
    }
    return CPatternScan::HorizontalForward(words, count, m_channel, m_value, m_length, from);
}

std::optional<uint32_t> CPatternSearch::Backward(const uint32_t* words, uint32_t count, int64_t to) const {
    if (m_type == SEARCH_TYPE::Vertical) {
        return CPatternScan::VerticalBackward(words, count, m_key, to);
    }
    return CPatternScan::HorizontalBackward(words, count, m_channel, m_value, m_length, to);
}

SEARCH_RESULT CPatternSearch::Run(ISearchBlocks& blocks, std::size_t block, int64_t position, bool forward,
                                  bool acrossBlocks) const {
    SEARCH_RESULT result;
    const std::size_t count = blocks.BlockCount();
    for (std::size_t b = block;;) {
        if (b != block && !blocks.LoadBlock(b)) {
            result.FailedBlock = b;
            return result;
        }
        const uint32_t valid = blocks.ValidWords();
        std::optional<uint32_t> clock;
        if (forward) {
            clock = Forward(blocks.Words(), valid, b == block ? static_cast<uint64_t>(position < 0 ? 0 : position)
                                                              : 0);
        } else {
            clock = Backward(blocks.Words(), valid, b == block ? position : static_cast<int64_t>(valid) - 1);
        }
        if (clock) {
            result.Hit = SEARCH_HIT{b, *clock};
            return result;
        }
        if (!acrossBlocks || (forward && b + 1 >= count) || (!forward && b == 0)) {
            return result;
        }
        b = forward ? b + 1 : b - 1;
    }
}

uint32_t ParsePatternText(const std::string& text, SEARCH_RADIX radix, bool* valid) {
    const bool hex = radix == SEARCH_RADIX::Hexadecimal;
    uint32_t value = 0;
    bool all = true;
    for (const char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        }
        if (digit < 0 || (!hex && digit > 1)) {
            all = false;
            break;
        }
        value = hex ? (value << 4) | static_cast<uint32_t>(digit) : (value << 1) | static_cast<uint32_t>(digit);
    }
    if (valid != nullptr) {
        *valid = all && !text.empty();
    }
    return value;
}
