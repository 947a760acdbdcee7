#include "patterns/CPatternEntry.h"

#include <limits>

#include "patterns/CPatternCreator.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

uint32_t CPatternEntry::Number(const std::string& typed) {
    uint64_t value = 0;
    for (char c : typed) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > std::numeric_limits<uint32_t>::max()) {
            return std::numeric_limits<uint32_t>::max();
        }
    }
    return static_cast<uint32_t>(value);
}

std::string CPatternEntry::ChannelProblem(uint32_t channel) {
    return channel <= 31 ? std::string() : FormatText(IDS_ENTER_INTEGER_RANGE, 0, 31);
}

std::string CPatternEntry::PeriodProblem(uint32_t zeroCount, uint32_t oneCount) {
    if (CPatternCreator::ValidClockPeriod(zeroCount, oneCount)) {
        return {};
    }
    return FormatText(IDS_ENTER_INTEGER_RANGE, 1, static_cast<unsigned>(CPatternCreator::MaxPeriod));
}
