#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "device/RUN_DRIVER_CALLS.h"

struct LOGIC_CONDITION;
class CLogicMemory;

// The first driver call of a set-up that failed: its result, name and text.
struct DRIVER_FAILURE {
    int32_t Code = 0;
    std::string Function;
    std::string Text;
};

// The driver call sequences that configure a run. Each stops at the first
// failing call and describes it in `failure`.
class CRunSetup {
public:
    static constexpr uint32_t RingStepWords = 32768;
    static constexpr int RingSteps = 30;
    static constexpr uint32_t CountEventWords = 1000;
    static constexpr uint32_t GeneratingCountEvent = 0xFFFFFF;
    // Result given for a condition the board must not run (no driver code).
    static constexpr int32_t InvalidParameter = 21004;

    CRunSetup(const RUN_DRIVER_CALLS& driver, int16_t deviceId, intptr_t window);

    // Steps 1 to 14 of a generating run: reset, triggers, clock, stop, events,
    // the buffer from word StartPosition, transfer start.
    [[nodiscard]] bool Generating(const LOGIC_CONDITION& condition, CLogicMemory& memory, DRIVER_FAILURE& failure);
    // Sampling up to the FIFO reset (reset, triggers, clock, stop, events).
    [[nodiscard]] bool SamplingConditions(const LOGIC_CONDITION& condition, DRIVER_FAILURE& failure);
    // Model type 1: the sampling memory itself; model type 0: the largest
    // ring the board accepts, 32 x 32,768 words down to 3 x 32,768.
    [[nodiscard]] bool SamplingBuffer(const LOGIC_CONDITION& condition, CLogicMemory& memory,
                                      std::vector<uint32_t>& ring, DRIVER_FAILURE& failure);
    [[nodiscard]] bool TransferStart(int16_t direction, DRIVER_FAILURE& failure);

    // Words the generating buffer covers: min(span, memory words from
    // StartPosition on); 0 when the range is empty or starts past the memory.
    [[nodiscard]] static uint32_t GeneratingWords(const LOGIC_CONDITION& condition, uint32_t memoryLength);

private:
    [[nodiscard]] bool Conditions(const LOGIC_CONDITION& condition, int16_t direction, uint32_t stopNumber,
                                  DRIVER_FAILURE& failure);
    [[nodiscard]] bool Check(int32_t code, const char* function, DRIVER_FAILURE& failure) const;

    const RUN_DRIVER_CALLS& m_driver;
    int16_t m_id;
    intptr_t m_window;
};
