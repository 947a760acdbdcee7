#include "shell/CConditionGrid.h"

#include <algorithm>
#include <cstdint>

#include "document/CEntryRules.h"
#include "document/CLogicDocument.h"
#include "document/IUserMessages.h"
#include "resources/CStringTable.h"
#include "shell/CAutoSaveTexts.h"
#include "shell/CConditionText.h"
#include "shell/CMemoryResize.h"
#include "resources/StringIds.h"
#include "shell/IConditionGridHost.h"

namespace {

using P = GridProperty;
using K = GridValueKind;

const std::vector<int> ModeOptions = {IDS_GRID_MODE_SAMPLING, IDS_GRID_MODE_GENERATING};
const std::vector<int> ClockTypeOptions = {IDS_GRID_CLOCK_INTERNAL, IDS_GRID_CLOCK_EXTERNAL,
                                           IDS_GRID_CLOCK_HANDSHAKE};
const std::vector<int> UnitOptions = {IDS_GRID_UNIT_SEC, IDS_GRID_UNIT_MSEC, IDS_GRID_UNIT_USEC, IDS_GRID_UNIT_NSEC};
// Sampling offers all four start conditions, generating the first three.
const std::vector<int> StartOptions = {IDS_GRID_START_SOFTWARE, IDS_GRID_START_RISING, IDS_GRID_START_FALLING,
                                       IDS_GRID_START_PATTERN};
const std::vector<int> GeneratingStartOptions(StartOptions.begin(), StartOptions.begin() + 3);
const std::vector<int> StopOptions = {IDS_GRID_STOP_SOFTWARE, IDS_GRID_STOP_RISING, IDS_GRID_STOP_FALLING,
                                      IDS_GRID_STOP_COUNT};
const std::vector<int> MonitorModeOptions = {IDS_GRID_MONITOR_INVALID, IDS_GRID_MONITOR_STOP,
                                             IDS_GRID_MONITOR_UPDATE};
const std::vector<int> MethodOptions = {IDS_GRID_MONITOR_CLOCK_AXIS, IDS_GRID_MONITOR_CHANNEL_AXIS};
const std::vector<int> RadixOptions = {IDS_GRID_RADIX_HEX, IDS_GRID_RADIX_BINARY};
const std::vector<int> AutoSaveOptions = {IDS_GRID_AUTOSAVE_INVALID, IDS_GRID_AUTOSAVE_VALID};
const std::vector<int> FileTypeOptions = {IDS_GRID_TYPE_CSV, IDS_GRID_TYPE_VPB};

std::string Text(int id) { return LoadText(id); }

// The text of option `index` of a list, empty outside it.
std::string OptionText(const std::vector<int>& options, int index) {
    return index >= 0 && index < static_cast<int>(options.size()) ? Text(options[static_cast<std::size_t>(index)])
                                                                   : std::string();
}

// The position of a text among the options, -1 when it is none of them.
int OptionIndex(const std::vector<int>& options, const std::string& text) {
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (Text(options[i]) == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

GRID_ITEM MakeItem(P property, int name, int description, K kind, std::string value,
                   std::vector<int> options = {}) {
    GRID_ITEM item;
    item.Property = property;
    item.NameId = name;
    item.DescriptionId = description;
    item.Kind = kind;
    item.OptionIds = std::move(options);
    item.Value = value;
    item.DefaultValue = std::move(value);
    return item;
}

// The options each pick property maps to condition values by position.
const std::vector<int>* OptionsOf(P property) {
    switch (property) {
    case P::Mode: return &ModeOptions;
    case P::ClockType: return &ClockTypeOptions;
    case P::ClockUnit: return &UnitOptions;
    case P::StartCondition: return &StartOptions;
    case P::StopCondition: return &StopOptions;
    case P::MonitorMode: return &MonitorModeOptions;
    case P::MonitorMethod: return &MethodOptions;
    case P::MonitorDataBase: return &RadixOptions;
    case P::AutoSave: return &AutoSaveOptions;
    default: return nullptr;
    }
}

std::string Decimal(uint32_t value) { return std::to_string(value); }

}  // namespace

CConditionGrid::CConditionGrid(IUserMessages& messages) : m_messages(messages) {}

void CConditionGrid::BuildDefaultGrid(const std::string& defaultAutoSavePath) {
    m_groups.clear();
    m_groups.push_back({IDS_GRID_MODE, true,
                        {MakeItem(P::Mode, IDS_GRID_MODE, IDS_GRID_MODE_DESC, K::Pick,
                                  Text(IDS_GRID_MODE_GENERATING), ModeOptions)}});
    m_groups.push_back(
        {IDS_GRID_CLOCK_GROUP, true,
         {MakeItem(P::ClockType, IDS_GRID_CLOCK_TYPE, IDS_GRID_CLOCK_TYPE_DESC, K::Pick,
                   Text(IDS_GRID_CLOCK_INTERNAL), ClockTypeOptions),
          MakeItem(P::ClockValue, IDS_GRID_CLOCK_VALUE, IDS_GRID_CLOCK_VALUE_DESC, K::Unsigned32, "1"),
          MakeItem(P::ClockUnit, IDS_GRID_CLOCK_UNIT, IDS_GRID_CLOCK_UNIT_DESC, K::Pick, Text(IDS_GRID_UNIT_MSEC),
                   UnitOptions)}});
    m_groups.push_back(
        {IDS_GRID_START, true,
         {MakeItem(P::StartCondition, IDS_GRID_START, IDS_GRID_START_DESC, K::Pick, Text(IDS_GRID_START_SOFTWARE),
                   GeneratingStartOptions),
          MakeItem(P::StartPattern, IDS_GRID_PATTERN, IDS_GRID_PATTERN_DESC, K::Text, "55"),
          MakeItem(P::PatternMask, IDS_GRID_MASK, IDS_GRID_MASK_DESC, K::Text, "FF")}});
    m_groups.push_back(
        {IDS_GRID_STOP, true,
         {MakeItem(P::StopCondition, IDS_GRID_STOP, IDS_GRID_STOP_DESC, K::Pick, Text(IDS_GRID_STOP_COUNT),
                   StopOptions),
          MakeItem(P::StartPosition, IDS_GRID_START_POSITION, IDS_GRID_START_POSITION_DESC, K::Unsigned32, "0"),
          MakeItem(P::StopPosition, IDS_GRID_STOP_POSITION, IDS_GRID_STOP_POSITION_DESC, K::Unsigned32, "999"),
          MakeItem(P::Repeat, IDS_GRID_REPEAT, IDS_GRID_REPEAT_DESC, K::Signed32, "1")}});
    m_groups.push_back(
        {IDS_GRID_MONITOR_GROUP, false,
         {MakeItem(P::MonitorMode, IDS_GRID_MONITOR_MODE, IDS_GRID_MONITOR_MODE_DESC, K::Pick,
                   Text(IDS_GRID_MONITOR_INVALID), MonitorModeOptions),
          MakeItem(P::MonitorMethod, IDS_GRID_MONITOR_METHOD, IDS_GRID_MONITOR_METHOD_DESC, K::Pick,
                   Text(IDS_GRID_MONITOR_CLOCK_AXIS), MethodOptions),
          MakeItem(P::MonitorPercentage, IDS_GRID_MONITOR_RATIO, IDS_GRID_MONITOR_RATIO_DESC, K::Text, "0"),
          MakeItem(P::MonitorDataBase, IDS_GRID_MONITOR_RADIX, IDS_GRID_MONITOR_RADIX_DESC, K::Pick,
                   Text(IDS_GRID_RADIX_HEX), RadixOptions),
          MakeItem(P::MonitorData, IDS_GRID_MONITOR_DATA, IDS_GRID_MONITOR_DATA_DESC, K::Text, "55"),
          MakeItem(P::MonitorBitNumbers, IDS_GRID_MONITOR_BITS, IDS_GRID_MONITOR_BITS_DESC, K::Signed16, "8"),
          MakeItem(P::MonitorChannel, IDS_GRID_MONITOR_CHANNEL, IDS_GRID_MONITOR_CHANNEL_DESC, K::Signed16, "0")}});
    m_groups.push_back(
        {IDS_GRID_AUTOSAVE_GROUP, false,
         {MakeItem(P::AutoSave, IDS_GRID_AUTOSAVE, IDS_GRID_AUTOSAVE_DESC, K::Pick, Text(IDS_GRID_AUTOSAVE_INVALID),
                   AutoSaveOptions),
          MakeItem(P::AutoSavePath, IDS_GRID_AUTOSAVE_PATH, IDS_GRID_AUTOSAVE_PATH_DESC, K::Folder,
                   defaultAutoSavePath),
          MakeItem(P::AutoSaveFileType, IDS_GRID_AUTOSAVE_TYPE, IDS_GRID_AUTOSAVE_TYPE_DESC, K::TextWithOptions,
                   Text(IDS_GRID_TYPE_CSV), FileTypeOptions),
          MakeItem(P::AutoSaveFileName, IDS_GRID_AUTOSAVE_PREFIX, IDS_GRID_AUTOSAVE_PREFIX_DESC, K::Text,
                   "LogicData")}});
    m_groups.push_back(
        {IDS_GRID_BUFFER_GROUP, true,
         {MakeItem(P::BufferSize, IDS_GRID_BUFFER_SIZE, IDS_GRID_BUFFER_SIZE_DESC, K::Unsigned32, "1000")}});
}

void CConditionGrid::ResetToDefaults() {
    for (GRID_GROUP& group : m_groups) {
        for (GRID_ITEM& item : group.Items) {
            item.Value = item.DefaultValue;
        }
    }
}

const GRID_ITEM* CConditionGrid::Item(GridProperty property) const {
    return const_cast<CConditionGrid*>(this)->FindItem(property);
}

const GRID_GROUP* CConditionGrid::GroupOf(GridProperty property) const {
    return const_cast<CConditionGrid*>(this)->FindGroup(property);
}

GRID_ITEM* CConditionGrid::FindItem(GridProperty property) {
    for (GRID_GROUP& group : m_groups) {
        for (GRID_ITEM& item : group.Items) {
            if (item.Property == property) {
                return &item;
            }
        }
    }
    return nullptr;
}

GRID_GROUP* CConditionGrid::FindGroup(GridProperty property) {
    for (GRID_GROUP& group : m_groups) {
        for (const GRID_ITEM& item : group.Items) {
            if (item.Property == property) {
                return &group;
            }
        }
    }
    return nullptr;
}

std::optional<GridProperty> CConditionGrid::PropertyNamed(const std::string& name) const {
    for (const GRID_GROUP& group : m_groups) {
        for (const GRID_ITEM& item : group.Items) {
            if (Text(item.NameId) == name) {
                return item.Property;
            }
        }
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- showing

void CConditionGrid::Show(GridProperty property, const std::string& value, bool enabled) {
    if (GRID_ITEM* item = FindItem(property)) {
        item->Value = value;
        item->Enabled = enabled;
    }
}

void CConditionGrid::ShowGroupOf(GridProperty property, bool shown) {
    if (GRID_GROUP* group = FindGroup(property)) {
        group->Shown = shown;
    }
}

void CConditionGrid::RefreshGrid(const CLogicDocument& document) {
    const LOGIC_CONDITION& condition = document.Condition();
    Show(P::Mode, OptionText(ModeOptions, condition.Direction - 1), true);
    RefreshClock(document);
    RefreshStart(document);
    RefreshStop(document);
    RefreshMonitor(document);
    RefreshAutoSave(document);
    const bool generating = condition.Direction == DIRECTION_GENERATING;
    const CLogicMemory* memory = document.Memory(condition.Direction);
    Show(P::BufferSize, memory != nullptr ? Decimal(memory->Length()) : std::string(), true);
    ShowGroupOf(P::BufferSize, generating);
}

void CConditionGrid::RefreshClock(const CLogicDocument& document) {
    const DIRECTION_GROUP* group = document.Condition().ActiveGroup();
    if (group == nullptr) {
        return;
    }
    Show(P::ClockType, OptionText(ClockTypeOptions, group->ClockType - 1), true);
    const bool internal = group->ClockType == 1;
    GRID_ITEM* value = FindItem(P::ClockValue);
    GRID_ITEM* unit = FindItem(P::ClockUnit);
    if (value == nullptr || unit == nullptr) {
        return;
    }
    // Another clock keeps the value and unit shown as they were.
    value->Enabled = internal;
    unit->Enabled = internal;
    if (internal) {
        value->Value = Decimal(group->Clock);
        unit->Value = OptionText(UnitOptions, group->ClockUnit - 1);
    }
}

void CConditionGrid::RefreshStart(const CLogicDocument& document) {
    const LOGIC_CONDITION& condition = document.Condition();
    const DIRECTION_GROUP* group = condition.ActiveGroup();
    GRID_ITEM* start = FindItem(P::StartCondition);
    if (group == nullptr || start == nullptr) {
        return;
    }
    const bool sampling = condition.Direction == DIRECTION_SAMPLING;
    start->OptionIds = sampling ? StartOptions : GeneratingStartOptions;
    start->Value = OptionText(StartOptions, group->StartTrigger - 1);
    const bool patternMatch = group->StartTrigger == 4;
    for (const auto& [property, value] : {std::pair{P::StartPattern, condition.StartPattern},
                                          std::pair{P::PatternMask, condition.PatternMask}}) {
        if (GRID_ITEM* item = FindItem(property)) {
            item->Shown = sampling;
            item->Enabled = patternMatch;
            item->Value = CConditionText::Hex(value);
        }
    }
}

void CConditionGrid::RefreshStop(const CLogicDocument& document) {
    const DIRECTION_GROUP* group = document.Condition().ActiveGroup();
    if (group == nullptr) {
        return;
    }
    Show(P::StopCondition, OptionText(StopOptions, group->StopTrigger - 1), true);
    Show(P::StartPosition, Decimal(group->StartPosition), true);
    Show(P::StopPosition, Decimal(group->StopPosition), true);
    Show(P::Repeat, Decimal(group->RepeatCount), true);
}

void CConditionGrid::RefreshMonitor(const CLogicDocument& document) {
    const LOGIC_CONDITION& c = document.Condition();
    ShowGroupOf(P::MonitorMode, c.Direction == DIRECTION_SAMPLING);
    const int mode = c.MonitorMode == 1 || c.MonitorMode == 2 ? c.MonitorMode : 0;
    const bool on = c.MonitorMode != 0;
    Show(P::MonitorMode, OptionText(MonitorModeOptions, mode), true);
    Show(P::MonitorMethod, OptionText(MethodOptions, c.MonitorMethod), on);
    Show(P::MonitorPercentage, CConditionText::Percent(c.MonitorPercentage), c.MonitorMode == 2);
    Show(P::MonitorDataBase, OptionText(RadixOptions, c.MonitorDataBase), on);
    Show(P::MonitorData,
         c.MonitorDataBase == 1 ? CConditionText::Binary(c.MonitorData, c.MonitorDataBitNumbers)
                                : CConditionText::Hex(c.MonitorData),
         on);
    Show(P::MonitorBitNumbers, std::to_string(c.MonitorDataBitNumbers), on);
    Show(P::MonitorChannel, std::to_string(c.MonitorChannel), on);
}

void CConditionGrid::RefreshAutoSave(const CLogicDocument& document) {
    const LOGIC_CONDITION& c = document.Condition();
    ShowGroupOf(P::AutoSave, c.Direction == DIRECTION_SAMPLING);
    const bool on = c.AutoSave == 1;
    Show(P::AutoSave, OptionText(AutoSaveOptions, c.AutoSave == 0 ? 0 : 1), true);
    Show(P::AutoSavePath, c.AutoSavePath, on);
    Show(P::AutoSaveFileType, OptionText(FileTypeOptions, c.AutoSaveFileType), on);
    Show(P::AutoSaveFileName, c.AutoSaveFileName, on);
}

// ---------------------------------------------------------------- edits

void CConditionGrid::OnConditionChanged(CLogicDocument& document, IConditionGridHost& host,
                                        const std::string& name, const std::string& value) {
    if (const std::optional<GridProperty> property = PropertyNamed(name)) {
        OnConditionChanged(document, host, *property, value);
    }
}

void CConditionGrid::OnConditionChanged(CLogicDocument& document, IConditionGridHost& host, GridProperty property,
                                        const std::string& value) {
    // The run reads the condition: the pane is disabled, and an edit that
    // still arrives changes nothing.
    if (document.IsRunning.load() == 0) {
        Apply(document, host, property, value);
    }
    RefreshGrid(document);
}

void CConditionGrid::Apply(CLogicDocument& document, IConditionGridHost& host, GridProperty property,
                           const std::string& value) {
    LOGIC_CONDITION& c = document.Condition();
    if (const std::vector<int>* options = OptionsOf(property)) {
        const int index = OptionIndex(*options, value);
        if (index >= 0) {
            ApplyChoice(document, host, property, index);
        }
        return;
    }
    switch (property) {
    case P::StartPattern: c.StartPattern = CConditionText::Unsigned(value, 16); break;
    case P::PatternMask: c.PatternMask = CConditionText::Unsigned(value, 16); break;
    case P::MonitorData: c.MonitorData = CConditionText::Unsigned(value, c.MonitorDataBase == 1 ? 2 : 16); break;
    case P::AutoSavePath:
    case P::AutoSaveFileName:
    case P::AutoSaveFileType: ApplyAutoSaveText(document, property, value); return;
    case P::BufferSize: ApplyBufferSize(document, host, CConditionText::Number(value)); return;
    default: ApplyNumber(document, property, CConditionText::Number(value)); return;
    }
    document.NotifyViews();
}

void CConditionGrid::ApplyChoice(CLogicDocument& document, IConditionGridHost& host, GridProperty property,
                                 int index) {
    const int d = document.Condition().Direction;
    const DIRECTION_GROUP* group = document.Condition().Group(d);
    const auto value = static_cast<int16_t>(index + 1);
    switch (property) {
    case P::Mode:
        document.Condition().Direction = value;
        document.NotifyViews();
        host.OnDirectionChanged();
        return;
    case P::ClockType: document.SetClockType(d, value); return;
    case P::ClockUnit:
        // The clock is not limited again: only an edited value is.
        if (group != nullptr) {
            document.SetClock(d, group->Clock, value);
        }
        return;
    case P::StartCondition: document.SetStartTrigger(d, value); return;
    case P::StopCondition: document.SetStopTrigger(d, value); return;
    default: ApplyMonitorChoice(document, property, index); return;
    }
}

void CConditionGrid::ApplyMonitorChoice(CLogicDocument& document, GridProperty property, int index) {
    LOGIC_CONDITION& c = document.Condition();
    const auto value = static_cast<int16_t>(index);
    switch (property) {
    case P::MonitorMode: c.MonitorMode = value; break;
    case P::MonitorMethod: c.MonitorMethod = value; break;
    case P::MonitorDataBase: c.MonitorDataBase = value; break;
    case P::AutoSave: c.AutoSave = value; break;
    default: return;
    }
    document.NotifyViews();
}

void CConditionGrid::ApplyNumber(CLogicDocument& document, GridProperty property, int32_t number) {
    LOGIC_CONDITION& c = document.Condition();
    const int d = c.Direction;
    const DIRECTION_GROUP* group = c.Group(d);
    const CLogicMemory* memory = document.Memory(d);
    const auto word = static_cast<uint32_t>(number);
    const auto narrow = static_cast<int16_t>(number);
    switch (property) {
    case P::ClockValue:
        if (group != nullptr) {
            document.SetClock(d, CEntryRules::Clock(c.ModelType, group->ClockUnit, number), group->ClockUnit);
        }
        return;
    case P::StartPosition:
        if (group != nullptr && memory != nullptr) {
            document.SetStartPosition(d, CEntryRules::StartPosition(word, group->StopPosition, memory->Length()));
        }
        return;
    case P::StopPosition:
        if (group != nullptr && memory != nullptr) {
            document.SetStopPosition(d, CEntryRules::StopPosition(word, group->StartPosition, memory->Length()));
        }
        return;
    case P::Repeat:
        if (group != nullptr && memory != nullptr) {
            // The memory keeps its length (and its words and edit history):
            // only the count and, in sampling, the buffer size are set again.
            c.Group(d)->RepeatCount =
                CEntryRules::RepeatCount(number, c.ModelType, group->StartPosition, group->StopPosition);
            if (d == DIRECTION_SAMPLING) {
                c.SamplingBufferSize = memory->Length();
            }
        }
        break;
    case P::MonitorPercentage: c.MonitorPercentage = CEntryRules::MonitorPercentage(narrow); break;
    case P::MonitorBitNumbers: c.MonitorDataBitNumbers = CEntryRules::MonitorDataBitNumbers(narrow); break;
    case P::MonitorChannel: c.MonitorChannel = CEntryRules::MonitorChannel(narrow); break;
    default: return;
    }
    document.NotifyViews();
}

void CConditionGrid::ApplyAutoSaveText(CLogicDocument& document, GridProperty property, const std::string& value) {
    LOGIC_CONDITION& c = document.Condition();
    const auto fileType = static_cast<int16_t>(value == Text(IDS_GRID_TYPE_CSV) ? 0 : 1);
    const int problem = property == P::AutoSavePath       ? CAutoSaveTexts::PathProblem(value, c.AutoSaveFileType)
                        : property == P::AutoSaveFileName ? CAutoSaveTexts::PrefixProblem(value, c.AutoSaveFileType)
                                                          : CAutoSaveTexts::FileTypeProblem(c, fileType);
    if (problem != 0) {
        m_messages.ShowMessage(Text(problem), MessageIcon::Warning);
        return;
    }
    if (property == P::AutoSavePath) {
        document.SetAutoSavePath(value);
    } else if (property == P::AutoSaveFileName) {
        document.SetAutoSaveFileName(value);
    } else {
        c.AutoSaveFileType = fileType;
        document.NotifyViews();
    }
}

void CConditionGrid::ApplyBufferSize(CLogicDocument& document, IConditionGridHost& host, int32_t number) {
    const int d = document.Condition().Direction;
    const CLogicMemory* memory = document.Memory(d);
    DIRECTION_GROUP* group = document.Condition().Group(d);
    if (memory == nullptr || group == nullptr) {
        return;
    }
    const uint32_t before = memory->Length();
    const auto size = std::min(CEntryRules::Size(static_cast<uint32_t>(number)), CMemoryResize::MaximumWords);
    if (size < before &&
        m_messages.AskYesNo(Text(IDS_BUFFER_SHRINK_QUERY), MessageIcon::Warning) != MessageAnswer::Yes) {
        return;
    }
    if (!CMemoryResize::Resize(document, d, size, m_messages)) {
        return;
    }
    CEntryRules::AfterSizeChange(*group, size);
    document.NotifyViews();
    if (size != before) {
        host.OnMemoryResized(d);
    }
}
