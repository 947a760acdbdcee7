#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/PATTERN_PARAMETERS.h"
#include "patterns/PATTERN_OUTCOME.h"

class CDataPatternList;
class CLogicMemory;
class IEditRecorder;

// The source of a continuous pattern: the selected stretch of one row.
struct PATTERN_SOURCE {
    bool IsBus = false;      // a bus row: the command does nothing
    int Channel = 0;         // the row's DeviceChannel
    uint32_t First = 0;      // first selected clock
    uint32_t Last = 0;       // last selected clock (included)
};

// Writes a created pattern (clock, continuous or offset) into one channel of
// the generating memory from clock 0 on, as one undo step, and keeps the first
// period of a clock or continuous pattern in the data-pattern list. Values
// beyond the memory are dropped; the other channels are never touched.
class CPatternCreator {
public:
    static constexpr int KindClock = 0;
    static constexpr int KindContinuous = 1;
    static constexpr int KindOffset = 2;
    // The longest period a pattern may have: the largest memory.
    static constexpr uint64_t MaxPeriod = 100000000;
    // Clock periods up to this many clocks are written from a table of levels.
    static constexpr uint64_t ShortPeriod = 65536;

    CPatternCreator(CLogicMemory& generating, IEditRecorder& recorder, CDataPatternList& patterns);

    // True when a clock pattern's counts give a period of 1 .. MaxPeriod clocks.
    [[nodiscard]] static bool ValidClockPeriod(uint32_t zeroCount, uint32_t oneCount);

    // Applies `requested` (continuous takes its source from `source`). Only an
    // Applied outcome stores the parameters, with BasicPatternLength set, into
    // `stored`; any other outcome leaves memory, list and `stored` as they were.
    [[nodiscard]] PATTERN_OUTCOME Apply(const PATTERN_PARAMETERS& requested, const PATTERN_SOURCE& source,
                                        PATTERN_PARAMETERS& stored);

private:
    [[nodiscard]] PATTERN_OUTCOME Record(uint32_t mask, uint64_t count);
    void WriteClock(const PATTERN_PARAMETERS& p, uint32_t mask, uint32_t count);
    static void WritePeriodic(uint32_t* words, uint32_t count, uint32_t mask, const std::vector<uint8_t>& levels);
    void KeepFirstPeriod(int kind, int channel, std::string bits);

    CLogicMemory& m_memory;
    IEditRecorder& m_recorder;
    CDataPatternList& m_patterns;
};
