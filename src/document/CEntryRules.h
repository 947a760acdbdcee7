#pragma once
#include <cstdint>

#include "document/LOGIC_CONDITION.h"

// The rules that keep typed condition values inside their limits. Values
// loaded from files are taken as they are; these apply where a value is typed.
class CEntryRules {
public:
    // Largest RepeatCount x range length a board can transfer.
    static constexpr uint32_t RepeatLimitModelC = 0x20000000;
    static constexpr uint32_t RepeatLimitModelA = 0xFFFFFF;

    // The typed clock, converted to a signed integer and compared as
    // unsigned (a negative entry counts as very large): above the maximum of
    // the model and unit becomes the maximum, 0 becomes 1; nanoseconds have a
    // minimum (20 / 50) and a step (5 / 25) instead of a maximum.
    [[nodiscard]] static uint32_t Clock(int16_t modelType, int16_t clockUnit, int32_t typed);
    // Largest clock value of a model and unit; 0 when the unit has none.
    [[nodiscard]] static uint32_t ClockMaximum(int16_t modelType, int16_t clockUnit);

    // A start position at or beyond the stop position becomes stop - 1, then
    // at most size - 2.
    [[nodiscard]] static uint32_t StartPosition(uint32_t typed, uint32_t stopPosition, uint32_t size);
    // A stop position at or before the start position becomes start + 1, then
    // at most size - 1.
    [[nodiscard]] static uint32_t StopPosition(uint32_t typed, uint32_t startPosition, uint32_t size);
    // Held to 1 .. limit / (stop - start + 1).
    [[nodiscard]] static uint32_t RepeatCount(int64_t typed, int16_t modelType, uint32_t startPosition,
                                              uint32_t stopPosition);
    // At least 1.
    [[nodiscard]] static uint32_t Size(uint32_t typed);
    // After a size change the positions are lowered to size - 2 and size - 1.
    static void AfterSizeChange(DIRECTION_GROUP& group, uint32_t size);

    [[nodiscard]] static int16_t MonitorPercentage(int32_t typed);
    [[nodiscard]] static int16_t MonitorDataBitNumbers(int32_t typed);
    [[nodiscard]] static int16_t MonitorChannel(int32_t typed);
};
