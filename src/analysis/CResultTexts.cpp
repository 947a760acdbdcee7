#include "analysis/CResultTexts.h"

#include <cinttypes>
#include <cstdio>

namespace {

template <class... Args>
std::string Format(const char* format, Args... args) {
    char buffer[160];
    const int length = std::snprintf(buffer, sizeof buffer, format, args...);
    return length < 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(length) < sizeof buffer
                                                                  ? static_cast<std::size_t>(length)
                                                                  : sizeof buffer - 1);
}

}  // namespace

std::string CResultTexts::LogicTitle(LOGIC_OPERATION operation) {
    switch (operation) {
    case LOGIC_OPERATION::And: return "LOGIC AND:";
    case LOGIC_OPERATION::Or: return "LOGIC OR:";
    case LOGIC_OPERATION::Xor: return "LOGIC XOR:";
    case LOGIC_OPERATION::Not: return "LOGIC NOT:";
    }
    return std::string();
}

std::string CResultTexts::LogicChannels(const std::vector<int16_t>& channels) {
    std::string text = "Channel: ";
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (i != 0) {
            text += ", ";
        }
        text += std::to_string(channels[i]);
    }
    return text;
}

std::string CResultTexts::PulseCountTitle(const PULSE_COUNT_RESULT& result) {
    return Format(result.Kind == EDGE_KIND::Rising ? "PULSECOUNT(RISING): %" PRIu32 "[Dec]"
                                                   : "PULSECOUNT(FALLING): %" PRIu32 "[Dec]",
                  result.Count);
}

std::string CResultTexts::FrequencyTitle(const FREQUENCY_RESULT& result) {
    return Format("FREQUENCY: %.2f[Hz]", static_cast<double>(result.Hertz));
}

std::string CResultTexts::RangeLine(int channel, int64_t start, int64_t end) {
    return Format("Channel: %d Start: %" PRId64 "[Clock] End: %" PRId64 "[Clock]", channel, start, end);
}

std::string CResultTexts::BinaryDigits(uint32_t value, int count) {
    const int digits = count < 0 ? 0 : count > 32 ? 32 : count;
    std::string text;
    for (int bit = digits - 1; bit >= 0; --bit) {
        text += ((value >> bit) & 1U) != 0 ? '1' : '0';
    }
    return text;
}

std::vector<std::string> CResultTexts::SearchTexts(const SEARCH_PAGE& page) {
    const bool vertical = page.Type == 1;
    std::vector<std::string> texts;
    texts.push_back(std::string("Mode: \t") + (vertical ? "Channel (Vertical Axis)" : "Clock (Horizontal Axis)"));
    texts.push_back(Format(vertical ? "Start Channel: \t%d" : "Channel: \t%d", page.StartChannel));
    if (page.Radix == 1) {
        texts.push_back(Format("Data: \t%X[Hex] Bits: %d", page.Value, page.Count));
    } else {
        texts.push_back("Data: \t" + BinaryDigits(page.Value, page.TextLength) + "[Bin]");
    }
    return texts;
}
