#include "files/CVcdReader.h"

#include <algorithm>

#include "document/CChannelTable.h"
#include "document/CEntryRules.h"
#include "document/CLogicDocument.h"
#include "document/CStorableNames.h"
#include "document/CWindowRecords.h"
#include "files/CPulseLoad.h"
#include "files/CVcdChanges.h"
#include "files/CVcdHeader.h"
#include "files/CVcdSamples.h"
#include "files/CVcdTokens.h"
#include "files/IFileWindow.h"
#include "files/PULSE_CONTENT.h"
#include "files/VCD_DECLARATIONS.h"

namespace {
constexpr uint64_t UnitFs[] = {1000000000000000ULL, 1000000000000ULL, 1000000000ULL, 1000000ULL};

// The signal rows (and buses) of the declarations, in declaration order.
CChannelTable TableOf(const VCD_DECLARATIONS& declarations) {
    CChannelTable table;
    auto row = [](int channel, const std::string& name) {
        LOGIC_DATA data;
        data.DeviceChannel = static_cast<int16_t>(channel);
        data.ChannelName = CStorableNames::Storable(name);
        data.IsEnable = 1;
        data.IsShown = 1;
        return data;
    };
    std::vector<LOGIC_DATA> buses;
    for (const VCD_BUS& bus : declarations.Buses) {
        LOGIC_DATA data = row(static_cast<int>(buses.size()), bus.Name);
        data.IsBus = 1;
        for (int channel : bus.Channels) data.BusChannel |= uint32_t{1} << channel;
        buses.push_back(data);
    }
    for (const VCD_VARIABLE& variable : declarations.Variables) {
        if (variable.Width > 1 && variable.Width <= 8) {
            LOGIC_DATA data = row(static_cast<int>(buses.size()), variable.Name);
            data.IsBus = 1;
            data.BusChannel = ((uint32_t{1} << variable.Width) - 1) << variable.FirstChannel;
            buses.push_back(data);
        }
    }
    std::vector<bool> placed(buses.size(), false);
    for (const VCD_VARIABLE& variable : declarations.Variables) {
        for (int k = 0; k < variable.Width; ++k) {
            const int channel = variable.FirstChannel + k;
            // A bus stands before its first member.
            for (std::size_t b = 0; b < buses.size(); ++b) {
                if (!placed[b] && ((buses[b].BusChannel >> channel) & 1U) != 0) {
                    table.InsertAt(table.Size(), buses[b]);
                    placed[b] = true;
                }
            }
            const bool indexed = variable.Width > 1 || variable.Indexed;
            const int index = variable.RightIndex + variable.IndexStep * k;
            const std::string name = indexed ? variable.Name + "[" + std::to_string(index) + "]" : variable.Name;
            table.InsertAt(table.Size(), row(channel, name));
        }
    }
    return table;
}

// The board's clock for a period, in the largest unit that holds it whole,
// when the model can run it.
bool ClockOf(uint64_t periodFs, int16_t model, uint32_t& clock, int16_t& unit) {
    for (int u = 0; u < 4; ++u) {
        if (periodFs % UnitFs[u] == 0 && periodFs / UnitFs[u] <= UINT32_MAX) {
            clock = static_cast<uint32_t>(periodFs / UnitFs[u]);
            unit = static_cast<int16_t>(u + 1);
            const uint32_t allowed = CEntryRules::Clock(model, unit, static_cast<int32_t>(std::min<uint32_t>(clock, INT32_MAX)));
            return allowed == clock;
        }
    }
    return false;
}
}  // namespace

bool CVcdReader::ParsePeriod(const std::string& text, uint64_t& femtoseconds) {
    // The board's units only: s, ms, us and ns.
    constexpr std::size_t BoardUnits = 4;
    const std::size_t blank = text.find(' ');
    const std::string_view view(text);
    return blank == std::string::npos
               ? CVcdTokens::Time(view, {}, femtoseconds, BoardUnits)
               : CVcdTokens::Time(view.substr(0, blank), view.substr(blank + 1), femtoseconds, BoardUnits);
}

FileResult CVcdReader::Read(CLogicDocument& document, CWindowRecords& records, IFileWindow& window,
                            const std::string& path, uint64_t periodFemtoseconds,
                            std::vector<std::string>& warnings) {
    if (document.IsRunning.load() != 0) {
        return FileResult::ReadRefused(path + ": a run of the document is active");
    }
    VCD_DECLARATIONS declarations;
    CVcdTokens tokens;
    if (!tokens.Open(path)) return FileResult::ReadRefused(path + ": " + tokens.Error());
    FileResult header = CVcdHeader(tokens, path, declarations).Read();
    if (!header) return header;
    // The period in time units of the file.
    uint64_t periodUnits = 0;
    if (periodFemtoseconds != 0) {
        if (periodFemtoseconds % declarations.TimescaleFs != 0) {
            return FileResult::ReadRefused(path + ":" + std::to_string(tokens.Line()) +
                                           ": the period is not a whole number of the file's time units");
        }
        periodUnits = periodFemtoseconds / declarations.TimescaleFs;
    }
    // One pass: the words go into memory of their own, and the document
    // changes only once the whole file was read.
    CVcdSamples samples(MaxWords);
    CVcdChanges changes(path, declarations, samples, periodUnits);
    FileResult read = changes.Run(tokens);
    if (!read) return read;
    const uint64_t count = changes.Count();
    const uint64_t period = changes.Period();

    PULSE_CONTENT content;
    content.Staged.Condition = document.Condition();
    LOGIC_CONDITION& condition = content.Staged.Condition;
    condition.Direction = DIRECTION_GENERATING;
    DIRECTION_GROUP& group = condition.GeneratingGroup;
    const bool representable = period <= UINT64_MAX / declarations.TimescaleFs;
    const uint64_t periodFs = representable ? period * declarations.TimescaleFs : 0;
    std::vector<std::string> found;
    if (!representable || !ClockOf(periodFs, condition.ModelType, group.Clock, group.ClockUnit)) {
        group.Clock = DIRECTION_GROUP{}.Clock;
        group.ClockUnit = DIRECTION_GROUP{}.ClockUnit;
        found.push_back(path + ": a period of " + std::to_string(periodFs) +
                        " fs is no clock the board can run; the clock is 1 ms");
    }
    if (changes.Unknown() > 0) {
        found.push_back(path + ": " + std::to_string(changes.Unknown()) + " x or z values were read as 0");
    }
    group.ClockType = 1;
    group.StartPosition = 0;
    group.StopPosition = static_cast<uint32_t>(count - 1);
    group.RepeatCount = 1;
    content.Staged.Size = static_cast<uint32_t>(count);
    content.Table = TableOf(declarations);
    content.HasBookmarks = true;
    for (const auto& mark : declarations.Bookmarks) {
        if (mark.Position >= count) continue;  // beyond the data read
        content.Bookmarks.InsertAt(content.Bookmarks.Size(),
                                   BOOKMARK_DATA{mark.Position, CStorableNames::StorableMemo(mark.Memo), mark.Current ? 1U : 0U});
    }
    // The sampled words become the generating memory as they are: the
    // resize that follows finds it at its length already.
    CLogicMemory& memory = document.GeneratingMemory();
    memory.Swap(samples.Memory());
    FileResult applied = CPulseLoad::Apply(document, records, content);
    if (!applied) {
        memory.Swap(samples.Memory());
        return applied;
    }
    warnings.insert(warnings.end(), found.begin(), found.end());
    memory.MarkReplaced();
    CPulseLoad::Finish(document, window, DIRECTION_GENERATING, static_cast<uint32_t>(count), std::string());
    document.Saved.store(0);
    return FileResult::Success();
}
