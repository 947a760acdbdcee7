#include "device/CRunSetup.h"

#include <algorithm>

#include "document/CLogicMemory.h"
#include "document/LOGIC_CONDITION.h"

CRunSetup::CRunSetup(const RUN_DRIVER_CALLS& driver, int16_t deviceId, intptr_t window)
    : m_driver(driver), m_id(deviceId), m_window(window) {}

bool CRunSetup::Check(int32_t code, const char* function, DRIVER_FAILURE& failure) const {
    if (code == 0) {
        return true;
    }
    char text[256] = {};
    m_driver.DioGetErrorString(code, text);
    text[255] = '\0';
    failure = {code, function, text};
    return false;
}

uint32_t CRunSetup::GeneratingWords(const LOGIC_CONDITION& condition, uint32_t memoryLength) {
    const DIRECTION_GROUP& group = condition.GeneratingGroup;
    const int64_t span = int64_t{group.StopPosition} - int64_t{group.StartPosition} + 1;
    if (span <= 0 || group.StartPosition >= memoryLength) {
        return 0;
    }
    return static_cast<uint32_t>(std::min<int64_t>(span, int64_t{memoryLength} - group.StartPosition));
}

bool CRunSetup::Conditions(const LOGIC_CONDITION& condition, int16_t direction, uint32_t stopNumber,
                           DRIVER_FAILURE& failure) {
    const DIRECTION_GROUP& group = *condition.Group(direction);
    const RUN_DRIVER_CALLS& d = m_driver;
    return Check(d.DioResetDevice(m_id), "DioResetDevice", failure) &&
           Check(d.DioDmSetDirection(m_id, direction), "DioDmSetDirection", failure) &&
           Check(d.DioDmSetStandAlone(m_id), "DioDmSetStandAlone", failure) &&
           Check(d.DioDmSetStartTrigger(m_id, direction, group.StartTrigger), "DioDmSetStartTrigger", failure) &&
           (group.StartTrigger != 4 ||
            Check(d.DioDmSetStartPattern(m_id, condition.StartPattern, condition.PatternMask),
                  "DioDmSetStartPattern", failure)) &&
           Check(d.DioDmSetClockTrigger(m_id, direction, group.ClockType), "DioDmSetClockTrigger", failure) &&
           (group.ClockType != 1 ||
            Check(d.DioDmSetInternalClock(m_id, direction, group.Clock, group.ClockUnit), "DioDmSetInternalClock",
                  failure)) &&
           Check(d.DioDmSetStopTrigger(m_id, direction, group.StopTrigger), "DioDmSetStopTrigger", failure) &&
           (group.StopTrigger != 4 ||
            Check(d.DioDmSetStopNumber(m_id, direction, stopNumber), "DioDmSetStopNumber", failure)) &&
           Check(d.DioDmSetStopEvent(m_id, direction, m_window), "DioDmSetStopEvent", failure) &&
           Check(d.DioDmSetCountEvent(m_id, direction,
                                      direction == 1 ? CountEventWords : GeneratingCountEvent,
                                      direction == 1 ? m_window : 0),
                 "DioDmSetCountEvent", failure) &&
           Check(d.DioDmFifoReset(m_id, 4), "DioDmFifoReset", failure);
}

bool CRunSetup::Generating(const LOGIC_CONDITION& condition, CLogicMemory& memory, DRIVER_FAILURE& failure) {
    const uint32_t words = GeneratingWords(condition, memory.Length());
    if (words == 0) {
        // The range lies outside the generating memory: the board must not read there.
        (void)Check(InvalidParameter, "DioDmSetBuffer", failure);
        return false;
    }
    const DIRECTION_GROUP& group = condition.GeneratingGroup;
    const auto stopNumber = static_cast<uint32_t>(uint64_t{words} * group.RepeatCount);
    return Conditions(condition, 2, stopNumber, failure) &&
           Check(m_driver.DioDmSetBuffer(m_id, 2, memory.Data() + group.StartPosition, words, 1), "DioDmSetBuffer",
                 failure) &&
           TransferStart(2, failure);
}

bool CRunSetup::SamplingConditions(const LOGIC_CONDITION& condition, DRIVER_FAILURE& failure) {
    const DIRECTION_GROUP& group = condition.SamplingGroup;
    const int64_t span = int64_t{group.StopPosition} - int64_t{group.StartPosition} + 1;
    const auto stopNumber = static_cast<uint32_t>(static_cast<uint64_t>(span) * group.RepeatCount);
    return Conditions(condition, 1, stopNumber, failure);
}

bool CRunSetup::SamplingBuffer(const LOGIC_CONDITION& condition, CLogicMemory& memory,
                               std::vector<uint32_t>& ring, DRIVER_FAILURE& failure) {
    if (condition.ModelType == 1) {
        // The board never writes past the memory, whatever the buffer size says.
        const uint32_t words = std::min(condition.SamplingBufferSize, memory.Length());
        return Check(m_driver.DioDmSetBuffer(m_id, 1, memory.Data(), words, 1), "DioDmSetBuffer", failure);
    }
    int32_t result = 0;
    for (int k = 0; k < RingSteps; ++k) {
        const uint32_t words = static_cast<uint32_t>(32 - k) * RingStepWords;
        ring.assign(words, 0);
        ring.shrink_to_fit();
        result = m_driver.DioDmSetBuffer(m_id, 1, ring.data(), words, 1);
        if (result == 0) {
            return true;
        }
    }
    ring.clear();
    ring.shrink_to_fit();
    return Check(result, "DioDmSetBuffer", failure);
}

bool CRunSetup::TransferStart(int16_t direction, DRIVER_FAILURE& failure) {
    return Check(m_driver.DioDmTransferStart(m_id, direction), "DioDmTransferStart", failure);
}
