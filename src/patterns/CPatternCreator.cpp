#include "patterns/CPatternCreator.h"

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "document/CDataPatternList.h"
#include "document/CLogicMemory.h"
#include "graph/CMaskedWords.h"
#include "graph/IEditRecorder.h"

namespace {
PATTERN_OUTCOME OutcomeOf(EDIT_RESULT result) {
    switch (result) {
    case EDIT_RESULT::Done: return PATTERN_OUTCOME::Applied;
    case EDIT_RESULT::OutOfMemory: return PATTERN_OUTCOME::OutOfMemory;
    case EDIT_RESULT::Nothing: return PATTERN_OUTCOME::Nothing;
    default: return PATTERN_OUTCOME::ImproperArgument;
    }
}
}  // namespace

CPatternCreator::CPatternCreator(CLogicMemory& generating, IEditRecorder& recorder, CDataPatternList& patterns)
    : m_memory(generating), m_recorder(recorder), m_patterns(patterns) {}

bool CPatternCreator::ValidClockPeriod(uint32_t zeroCount, uint32_t oneCount) {
    const uint64_t period = uint64_t{zeroCount} + oneCount;
    return period >= 1 && period <= MaxPeriod;
}

PATTERN_OUTCOME CPatternCreator::Record(uint32_t mask, uint64_t count) {
    if (count == 0) {
        return PATTERN_OUTCOME::ImproperArgument;
    }
    return OutcomeOf(m_recorder.RecordOverwrite(mask, 0, static_cast<uint32_t>(count - 1)));
}

PATTERN_OUTCOME CPatternCreator::Apply(const PATTERN_PARAMETERS& requested, const PATTERN_SOURCE& source,
                                       PATTERN_PARAMETERS& stored) {
    const int channel = requested.PatternChannel;
    const uint32_t length = m_memory.Length();
    if (channel < 0 || channel > 31 || length == 0) {
        return PATTERN_OUTCOME::ImproperArgument;
    }
    const uint32_t mask = uint32_t{1} << channel;
    uint64_t period = 1;
    switch (requested.PatternKind) {
    case KindClock:
        if (!ValidClockPeriod(requested.ZeroClockCount, requested.OneClockCount)) {
            return PATTERN_OUTCOME::ImproperArgument;
        }
        period = uint64_t{requested.ZeroClockCount} + requested.OneClockCount;
        break;
    case KindContinuous:
        if (source.IsBus) {
            return PATTERN_OUTCOME::Nothing;
        }
        if (source.Channel < 0 || source.Channel > 31 || source.First > source.Last || source.Last >= length) {
            return PATTERN_OUTCOME::ImproperArgument;
        }
        period = uint64_t{source.Last} - source.First + 1;
        break;
    case KindOffset:
        break;
    default:
        return PATTERN_OUTCOME::ImproperArgument;
    }
    const uint64_t total = requested.PatternKind == KindOffset || requested.PatternCount == 0
                               ? length
                               : uint64_t{requested.PatternCount} * period;
    const auto count = static_cast<uint32_t>(std::min<uint64_t>(length, total));

    // The continuous source is read before anything is written: source and
    // target may be one channel. The copy is made before the record, so a
    // failed allocation refuses the command with nothing recorded.
    std::vector<uint8_t> sourceBits;
    if (requested.PatternKind == KindContinuous) {
        try {
            sourceBits.resize(period);
        } catch (const std::bad_alloc&) {
            return PATTERN_OUTCOME::OutOfMemory;
        }
        const uint32_t* words = m_memory.Data() + source.First;
        for (uint64_t i = 0; i < period; ++i) {
            sourceBits[i] = static_cast<uint8_t>((words[i] >> source.Channel) & 1U);
        }
    }
    // The list entry's text is allocated before anything changes, too.
    std::string firstPeriod;
    if (requested.PatternKind != KindOffset) {
        try {
            firstPeriod.assign(period, '0');
        } catch (const std::bad_alloc&) {
            return PATTERN_OUTCOME::OutOfMemory;
        }
    }
    const PATTERN_OUTCOME recorded = Record(mask, count);
    if (recorded != PATTERN_OUTCOME::Applied) {
        return recorded;
    }
    uint32_t* words = m_memory.Data();
    switch (requested.PatternKind) {
    case KindClock: WriteClock(requested, mask, count); break;
    case KindContinuous: WritePeriodic(words, count, mask, sourceBits); break;
    default: CMaskedWords::Fill(words, 0, count, mask, requested.PatternData != 0); break;
    }
    // The other kinds leave OneClockCount as the last clock pattern set it.
    const uint32_t oneClockCount = stored.OneClockCount;
    stored = requested;
    if (requested.PatternKind != KindClock) {
        stored.OneClockCount = oneClockCount;
    }
    stored.BasicPatternLength = static_cast<uint32_t>(period);
    if (requested.PatternKind != KindOffset) {
        KeepFirstPeriod(requested.PatternKind, channel, std::move(firstPeriod));
    }
    return PATTERN_OUTCOME::Applied;
}

void CPatternCreator::WritePeriodic(uint32_t* words, uint32_t count, uint32_t mask,
                                    const std::vector<uint8_t>& levels) {
    // One pass, no branch per clock: the level of the phase selects the mask.
    const uint32_t keep = ~mask;
    const auto period = static_cast<uint32_t>(levels.size());
    for (uint32_t i = 0, phase = 0; i < count; ++i) {
        words[i] = (words[i] & keep) | (mask & (0U - levels[phase]));
        if (++phase == period) {
            phase = 0;
        }
    }
}

void CPatternCreator::WriteClock(const PATTERN_PARAMETERS& p, uint32_t mask, uint32_t count) {
    // Start data 0: the period starts with its zeros; 1: with its ones.
    const bool onesFirst = p.PatternData != 0;
    const uint32_t firstRun = onesFirst ? p.OneClockCount : p.ZeroClockCount;
    const uint32_t secondRun = onesFirst ? p.ZeroClockCount : p.OneClockCount;
    uint32_t* words = m_memory.Data();
    const uint64_t period = uint64_t{firstRun} + secondRun;
    if (period <= ShortPeriod) {
        // Short periods: their levels once, then one pass over the words.
        std::vector<uint8_t> levels(period, onesFirst ? 1 : 0);
        std::fill(levels.begin() + firstRun, levels.end(), onesFirst ? 0 : 1);
        WritePeriodic(words, count, mask, levels);
        return;
    }
    for (uint64_t at = 0; at < count;) {
        const auto first = static_cast<uint32_t>(std::min<uint64_t>(firstRun, count - at));
        CMaskedWords::Fill(words, static_cast<uint32_t>(at), first, mask, onesFirst);
        at += first;
        const auto second = static_cast<uint32_t>(std::min<uint64_t>(secondRun, count - at));
        CMaskedWords::Fill(words, static_cast<uint32_t>(at), second, mask, !onesFirst);
        at += second;
    }
}

void CPatternCreator::KeepFirstPeriod(int kind, int channel, std::string bits) {
    // One character per clock of the first period, as the memory holds it
    // now; a clock beyond the memory reads "0".
    const auto period = static_cast<uint32_t>(bits.size());
    const uint32_t inMemory = std::min(period, m_memory.Length());
    const uint32_t* words = m_memory.Data();
    for (uint32_t i = 0; i < inMemory; ++i) {
        bits[i] = static_cast<char>('0' + ((words[i] >> channel) & 1U));
    }
    try {
        m_patterns.Add(CDataPatternList::MakePattern(kind, bits));
    } catch (const std::bad_alloc&) {
        // The pattern is written and recorded; only its list entry is missing.
    }
}
