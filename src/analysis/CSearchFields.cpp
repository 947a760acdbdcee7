#include "analysis/CSearchFields.h"

#include <algorithm>
#include <cstdio>

#include "analysis/CPatternSearch.h"
#include "document/CChannelTable.h"
#include "document/CLogicMemory.h"
#include "graph/CGraphModel.h"

namespace {

constexpr int LongestWindow = 32;

// The leading decimal number of a field's text (0 for none), kept in int range.
int FieldNumber(const std::string& text) {
    long long value = 0;
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    for (i = negative ? 1 : 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1000000);
    }
    return static_cast<int>(negative ? -value : value);
}

std::string HexText(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

// The low n bits of value as binary digits, most significant first.
std::string BinaryText(uint32_t value, int n) {
    std::string text;
    for (int bit = n - 1; bit >= 0; --bit) {
        text += ((value >> bit) & 1u) != 0 ? '1' : '0';
    }
    return text;
}

int BitOf(uint32_t word, int channel) {
    return channel >= 0 && channel < 32 ? static_cast<int>((word >> channel) & 1u) : 0;
}

}  // namespace

bool CSearchFields::AcceptsKey(char key) const {
    if (key == '\b' || key == '\r' || key == '\n' || key == '0' || key == '1') {
        return true;
    }
    if (m_radix != SEARCH_RADIX::Hexadecimal) {
        return false;
    }
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
}

int CSearchFields::StartChannel() const { return FieldNumber(m_startChannel); }
int CSearchFields::BitCount() const { return FieldNumber(m_bitCount); }
int CSearchFields::ChannelCount() const { return FieldNumber(m_channelCount); }

void CSearchFields::SetPattern(const std::string& text) {
    m_pattern = text.substr(0, static_cast<std::size_t>(PatternLimit()));
    m_value = ParsePatternText(m_pattern, m_radix);
    if (m_type == SEARCH_TYPE::Vertical && !m_pattern.empty()) {
        CheckChannelCount();
    }
}

void CSearchFields::SetBitCount(const std::string& text) {
    m_bitCount = text;
    const int count = BitCount();
    if (count < 1) {
        m_bitCount = "1";
    } else if (count > LongestWindow) {
        m_bitCount = "32";
    }
}

void CSearchFields::SetStartChannel(const std::string& text) {
    m_startChannel = text;
    const int channel = StartChannel();
    if (channel < 0) {
        m_startChannel = "0";
    } else if (channel > 31) {
        m_startChannel = "31";
    }
    // The block must still fit below 32 channels from the new start.
    if (m_type == SEARCH_TYPE::Vertical) {
        CheckChannelCount();
    }
}

void CSearchFields::SetChannelCount(const std::string& text) {
    m_channelCount = text;
    CheckChannelCount();
}

void CSearchFields::CheckChannelCount() {
    const int count = ChannelCount();
    const int start = std::clamp(StartChannel(), 0, 31);
    if (count < 1) {
        m_channelCount = "1";
    } else if (start + count > 32) {
        m_channelCount = std::to_string(32 - start);
    }
}

void CSearchFields::SetType(SEARCH_TYPE type) {
    m_type = type;
    if (m_type == SEARCH_TYPE::Vertical) {
        CheckChannelCount();
    }
}

void CSearchFields::SetRadix(SEARCH_RADIX radix) {
    if (radix == m_radix) {
        return;
    }
    const SEARCH_RADIX old = m_radix;
    m_radix = radix;
    if (m_pattern.empty()) {
        return;
    }
    const uint32_t value = ParsePatternText(m_pattern, old);
    if (radix == SEARCH_RADIX::Hexadecimal) {
        SetPattern(HexText(value));
        return;
    }
    const int n = m_type == SEARCH_TYPE::Vertical ? ChannelCount() : BitCount();
    SetPattern(BinaryText(value, std::clamp(n, 1, LongestWindow)));
}

SEARCH_REQUEST CSearchFields::Request() const {
    SEARCH_REQUEST request;
    request.Value = m_value;
    request.Text = m_pattern;
    request.TextLength = static_cast<int16_t>(m_pattern.size());
    request.Type = m_type;
    request.ChannelCount = static_cast<int16_t>(std::clamp(ChannelCount(), 1, 32));
    request.StartChannel = static_cast<int16_t>(std::clamp(StartChannel(), 0, 31));
    request.Radix = m_radix;
    request.BitCount = static_cast<int16_t>(std::clamp(BitCount(), 1, LongestWindow));
    return request;
}

bool CSearchFields::Prefill(CGraphModel& model) {
    m_startChannel = std::to_string(model.Current().row);
    const std::vector<std::size_t>& shown = model.ShownRows();
    const GRAPH_CELL anchor = model.Anchor();
    const GRAPH_CELL current = model.Current();
    const auto upper = static_cast<std::size_t>(std::min(anchor.row, current.row));
    const auto lower = static_cast<std::size_t>(std::max(anchor.row, current.row));
    if (model.Table() == nullptr || model.Memory() == nullptr || lower >= shown.size() ||
        model.Table()->At(shown[upper]).IsBus != 0) {
        return false;
    }
    if (anchor.clock != current.clock || anchor.row == current.row) {
        PrefillHorizontal(model);
    } else {
        PrefillVertical(model);
    }
    return true;
}

void CSearchFields::PrefillHorizontal(CGraphModel& model) {
    GRAPH_CELL anchor = model.Anchor();
    GRAPH_CELL current = model.Current();
    const int first = std::min(anchor.clock, current.clock);
    int last = std::max(anchor.clock, current.clock);
    if (last - first + 1 > LongestWindow) {
        last = first + LongestWindow - 1;
        anchor.clock = first;
        current.clock = last;
    }
    const int n = last - first + 1;
    // The digits come from the anchor row, the row the search then reads.
    const int channel = model.Table()->At(model.ShownRows()[static_cast<std::size_t>(anchor.row)]).DeviceChannel;
    const uint32_t* words = model.Memory()->Data();
    uint32_t value = 0;
    for (int t = first; t <= last; ++t) {
        value = (value << 1) | static_cast<uint32_t>(BitOf(words[t], channel));
    }
    m_type = SEARCH_TYPE::Horizontal;
    m_bitCount = std::to_string(n);
    m_startChannel = std::to_string(channel);
    current.row = anchor.row;
    model.SetAnchor(anchor);
    model.SetCurrent(current);
    SetPattern(m_radix == SEARCH_RADIX::Hexadecimal ? HexText(value) : BinaryText(value, n));
}

void CSearchFields::PrefillVertical(CGraphModel& model) {
    const GRAPH_CELL anchor = model.Anchor();
    const GRAPH_CELL current = model.Current();
    const int upper = std::min(anchor.row, current.row);
    const int lower = std::max(anchor.row, current.row);
    const CChannelTable& table = *model.Table();
    const uint32_t word = model.Memory()->Data()[current.clock];
    uint32_t value = 0;
    for (int row = upper; row <= lower && row - upper < LongestWindow; ++row) {
        const int channel = table.At(model.ShownRows()[static_cast<std::size_t>(row)]).DeviceChannel;
        value |= static_cast<uint32_t>(BitOf(word, channel)) << (row - upper);
    }
    const int n = lower - upper + 1;
    m_type = SEARCH_TYPE::Vertical;
    m_bitCount = "1";
    m_startChannel = std::to_string(table.At(model.ShownRows()[static_cast<std::size_t>(upper)]).DeviceChannel);
    m_channelCount = std::to_string(n);
    CheckChannelCount();
    SetPattern(m_radix == SEARCH_RADIX::Hexadecimal ? HexText(value) : BinaryText(value, n));
}
