#include "document/CEntryRules.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int16_t UNIT_SEC = 1;
constexpr int16_t UNIT_MSEC = 2;
constexpr int16_t UNIT_USEC = 3;
constexpr int16_t UNIT_NSEC = 4;

uint32_t RoundUpToStep(uint32_t value, uint32_t step) {
    const uint64_t rounded = (static_cast<uint64_t>(value) + step - 1) / step * step;
    const uint64_t largest = std::numeric_limits<uint32_t>::max() / step * step;
    return static_cast<uint32_t>(std::min(rounded, largest));
}

}  // namespace

uint32_t CEntryRules::ClockMaximum(int16_t modelType, int16_t clockUnit) {
    const bool modelC = modelType == MODEL_TYPE_C;
    switch (clockUnit) {
        case UNIT_SEC: return modelC ? 21U : 107U;
        case UNIT_MSEC: return modelC ? 21000U : 107000U;
        case UNIT_USEC: return modelC ? 21000000U : 107000000U;
        default: return 0;
    }
}

uint32_t CEntryRules::Clock(int16_t modelType, int16_t clockUnit, int32_t typed) {
    uint32_t value = static_cast<uint32_t>(typed);
    if (value == 0) {
        value = 1;
    }
    if (clockUnit == UNIT_NSEC) {
        const bool modelC = modelType == MODEL_TYPE_C;
        const uint32_t minimum = modelC ? 20U : 50U;
        const uint32_t step = modelC ? 5U : 25U;
        return RoundUpToStep(std::max(value, minimum), step);
    }
    const uint32_t maximum = ClockMaximum(modelType, clockUnit);
    if (maximum != 0 && value > maximum) {
        value = maximum;
    }
    return value;
}

uint32_t CEntryRules::StartPosition(uint32_t typed, uint32_t stopPosition, uint32_t size) {
    uint32_t value = typed;
    if (value >= stopPosition) {
        value = stopPosition > 0 ? stopPosition - 1 : 0;
    }
    const uint32_t highest = size >= 2 ? size - 2 : 0;
    return std::min(value, highest);
}

uint32_t CEntryRules::StopPosition(uint32_t typed, uint32_t startPosition, uint32_t size) {
    uint32_t value = typed;
    if (value <= startPosition) {
        value = startPosition < std::numeric_limits<uint32_t>::max() ? startPosition + 1 : startPosition;
    }
    const uint32_t highest = size >= 1 ? size - 1 : 0;
    return std::min(value, highest);
}

uint32_t CEntryRules::RepeatCount(int64_t typed, int16_t modelType, uint32_t startPosition,
                                  uint32_t stopPosition) {
    const uint64_t limit = modelType == MODEL_TYPE_C ? RepeatLimitModelC : RepeatLimitModelA;
    const uint64_t length =
        stopPosition >= startPosition ? static_cast<uint64_t>(stopPosition) - startPosition + 1 : 1;
    const uint64_t maximum = std::max<uint64_t>(1, limit / length);
    if (typed < 1) {
        return 1;
    }
    return static_cast<uint32_t>(std::min<uint64_t>(static_cast<uint64_t>(typed), maximum));
}

uint32_t CEntryRules::Size(uint32_t typed) { return typed == 0 ? 1 : typed; }

void CEntryRules::AfterSizeChange(DIRECTION_GROUP& group, uint32_t size) {
    const uint32_t lastStart = size >= 2 ? size - 2 : 0;
    const uint32_t lastStop = size >= 1 ? size - 1 : 0;
    group.StartPosition = std::min(group.StartPosition, lastStart);
    group.StopPosition = std::min(group.StopPosition, lastStop);
}

int16_t CEntryRules::MonitorPercentage(int32_t typed) {
    return static_cast<int16_t>(std::clamp(typed, 0, 100));
}

int16_t CEntryRules::MonitorDataBitNumbers(int32_t typed) {
    return static_cast<int16_t>(std::clamp(typed, 1, 32));
}

int16_t CEntryRules::MonitorChannel(int32_t typed) {
    return static_cast<int16_t>(std::clamp(typed, 0, 31));
}
