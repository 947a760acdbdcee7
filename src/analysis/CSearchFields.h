#pragma once
#include <string>

#include "document/SEARCH_REQUEST.h"

class CGraphModel;

// The fields of the search dialog and their rules, without the dialog: the
// texts of the four edits, the type and radix buttons, what is enabled, the
// keys the pattern edit takes, the radix conversion of the text and the
// prefill from the graph selection. The dialog shows what this holds.
class CSearchFields {
public:
    [[nodiscard]] const std::string& Pattern() const { return m_pattern; }
    [[nodiscard]] const std::string& BitCountText() const { return m_bitCount; }
    [[nodiscard]] const std::string& StartChannelText() const { return m_startChannel; }
    [[nodiscard]] const std::string& ChannelCountText() const { return m_channelCount; }
    [[nodiscard]] SEARCH_TYPE Type() const { return m_type; }
    [[nodiscard]] SEARCH_RADIX Radix() const { return m_radix; }
    [[nodiscard]] uint32_t Value() const { return m_value; }

    // Longest pattern text: 32 binary digits or 8 hexadecimal ones.
    [[nodiscard]] int PatternLimit() const { return m_radix == SEARCH_RADIX::Hexadecimal ? 8 : 32; }
    [[nodiscard]] bool BitCountEnabled() const {
        return m_type == SEARCH_TYPE::Horizontal && m_radix == SEARCH_RADIX::Hexadecimal;
    }
    [[nodiscard]] bool ChannelCountEnabled() const { return m_type == SEARCH_TYPE::Vertical; }
    [[nodiscard]] bool SearchEnabled() const { return !m_pattern.empty(); }

    // True when the pattern edit takes the key: the digits of the radix,
    // Backspace and Enter. "." is no digit of either radix and is dropped.
    [[nodiscard]] bool AcceptsKey(char key) const;

    // Each setter applies the rules of its field; the text may come back changed.
    void SetPattern(const std::string& text);
    void SetBitCount(const std::string& text);
    void SetStartChannel(const std::string& text);
    void SetChannelCount(const std::string& text);
    void SetType(SEARCH_TYPE type);
    // A real change of radix converts a non-empty text.
    void SetRadix(SEARCH_RADIX radix);

    // Opening the dialog: the start channel shows the graph's current row,
    // then the selection fills the fields when its upper row is a signal
    // (a selection longer than 32 clocks is cut in the graph to its first 32).
    // False when there was nothing to prefill from.
    bool Prefill(CGraphModel& model);

    // The request the fields make.
    [[nodiscard]] SEARCH_REQUEST Request() const;

private:
    void CheckChannelCount();
    [[nodiscard]] int StartChannel() const;
    [[nodiscard]] int BitCount() const;
    [[nodiscard]] int ChannelCount() const;
    void PrefillHorizontal(CGraphModel& model);
    void PrefillVertical(CGraphModel& model);

    std::string m_pattern;
    std::string m_bitCount = "4";
    std::string m_startChannel = "0";
    std::string m_channelCount = "1";
    SEARCH_TYPE m_type = SEARCH_TYPE::Horizontal;
    SEARCH_RADIX m_radix = SEARCH_RADIX::Binary;
    uint32_t m_value = 0;
};
