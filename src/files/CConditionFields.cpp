#include "files/CConditionFields.h"

#include <cstdio>

#include "document/CLogicDocument.h"
#include "files/CNumberText.h"
#include "files/FileFormat.h"

namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

void Add(Fields& fields, const char* key, std::string value) { fields.emplace_back(key, std::move(value)); }

void Add(Fields& fields, const char* key, int64_t value) { fields.emplace_back(key, std::to_string(value)); }

// "%d" of a 32-bit field: values above 0x7FFFFFFF show as negative numbers
// and read back unchanged.
int32_t AsSigned(uint32_t value) { return static_cast<int32_t>(value); }

// The lookups of one staging: the file's text of a key, if it has one.
class CValueLookup {
public:
    explicit CValueLookup(const KEY_VALUES& values) : m_values(values) {}

    [[nodiscard]] const std::string* Text(std::string_view key) const {
        const auto found = m_values.find(key);
        return found == m_values.end() ? nullptr : &found->second;
    }
    // A number outside its field's range is kept as the lookup's problem
    // (the first one counts) and leaves the field as it was.
    template <class T>
    void Decimal(std::string_view key, T& field) const {
        if (const std::string* text = Text(key)) {
            std::string problem;
            if (!CConditionFields::DecimalField(key, *text, field, problem) && m_problem.empty()) {
                m_problem = problem;
            }
        }
    }
    void Unsigned(std::string_view key, uint32_t& field) const {
        if (const std::string* text = Text(key)) {
            std::string problem;
            if (!CConditionFields::UnsignedField(key, *text, field, problem) && m_problem.empty()) {
                m_problem = problem;
            }
        }
    }
    [[nodiscard]] const std::string& Problem() const { return m_problem; }
    // False when the text is longer than 255 bytes and not to be cut.
    [[nodiscard]] bool String(std::string_view key, std::string& field, bool cut) const {
        const std::string* text = Text(key);
        if (text == nullptr) {
            return true;
        }
        if (text->size() > MaxTextBytes && !cut) {
            return false;
        }
        field = text->substr(0, MaxTextBytes);
        return true;
    }

private:
    const KEY_VALUES& m_values;
    mutable std::string m_problem;
};

void StageGroup(const CValueLookup& lookup, CConditionFields::Kind kind, LOGIC_CONDITION& condition) {
    const int direction = condition.Direction;
    DIRECTION_GROUP& group = *condition.Group(direction);
    if (kind == CConditionFields::Kind::Pulse) {
        lookup.Decimal("MaxChannels", group.MaxChannels);
    }
    lookup.Decimal("ClockType", group.ClockType);
    lookup.Decimal("Clock", group.Clock);
    lookup.Decimal("ClockUnit", group.ClockUnit);
    lookup.Decimal("StartTrigger", group.StartTrigger);
    if (direction == DIRECTION_SAMPLING && group.StartTrigger == 4) {
        lookup.Unsigned("StartPattern", condition.StartPattern);
        lookup.Unsigned("PatternMask", condition.PatternMask);
    }
    lookup.Decimal("StopTrigger", group.StopTrigger);
    lookup.Decimal("RepeatCount", group.RepeatCount);
    lookup.Decimal("StartPosition", group.StartPosition);
    lookup.Decimal("StopPosition", group.StopPosition);
    if (kind == CConditionFields::Kind::Pulse) {
        lookup.Decimal("ReadOnly", condition.ReadOnly);
    }
}

// False when an auto-save text is too long.
bool StageSamplingOnly(const CValueLookup& lookup, CConditionFields::Kind kind, LOGIC_CONDITION& condition) {
    lookup.Decimal("MonitorMode", condition.MonitorMode);
    lookup.Decimal("MonitorMethod", condition.MonitorMethod);
    lookup.Decimal("MonitorPercentage", condition.MonitorPercentage);
    lookup.Decimal("MonitorDataBase", condition.MonitorDataBase);
    lookup.Unsigned("MonitorData", condition.MonitorData);
    lookup.Decimal("MonitorDataBitNumbers", condition.MonitorDataBitNumbers);
    lookup.Decimal("MonitorChannel", condition.MonitorChannel);
    if (kind == CConditionFields::Kind::Condition) {
        // Read as a number and kept as a 16-bit value.
        int32_t autoSave = condition.AutoSave;
        lookup.Decimal("AutoSave", autoSave);
        condition.AutoSave = static_cast<int16_t>(autoSave);
    } else {
        lookup.Decimal("AutoSave", condition.AutoSave);
    }
    lookup.Decimal("AutoSaveFileType", condition.AutoSaveFileType);
    return lookup.String("AutoSavePath", condition.AutoSavePath, false) &&
           lookup.String("AutoSaveFileName", condition.AutoSaveFileName, false);
}

}  // namespace

bool CConditionFields::UnsignedField(std::string_view name, std::string_view text, uint32_t& field,
                                     std::string& problem) {
    if (!CNumberText::UnsignedAutoFits(text, field)) {
        problem = "the " + std::string(name) + " value \"" + std::string(text.substr(0, 40)) +
                  "\" does not fit in 32 bits";
        return false;
    }
    return true;
}

std::string CConditionFields::HexText(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

Fields CConditionFields::Fields(const LOGIC_CONDITION& condition, uint32_t size, Kind kind) {
    const int direction = condition.Direction;
    const DIRECTION_GROUP& group = *condition.Group(direction);
    const bool pulse = kind == Kind::Pulse;
    ::Fields fields;
    Add(fields, "Version", std::string(FileVersionText));
    Add(fields, "DeviceDesc", condition.DeviceDesc);
    Add(fields, "DeviceName", condition.DeviceName);
    Add(fields, "Direction", condition.Direction);
    if (pulse) {
        Add(fields, "MaxChannels", group.MaxChannels);
    }
    Add(fields, "ClockType", group.ClockType);
    Add(fields, "Clock", AsSigned(group.Clock));
    Add(fields, "ClockUnit", group.ClockUnit);
    Add(fields, "StartTrigger", group.StartTrigger);
    if (direction == DIRECTION_SAMPLING && group.StartTrigger == 4) {
        Add(fields, "StartPattern", HexText(condition.StartPattern));
        Add(fields, "PatternMask", HexText(condition.PatternMask));
    }
    Add(fields, "StopTrigger", group.StopTrigger);
    Add(fields, "Size", AsSigned(size));
    Add(fields, "RepeatCount", AsSigned(group.RepeatCount));
    Add(fields, "StartPosition", AsSigned(group.StartPosition));
    Add(fields, "StopPosition", AsSigned(group.StopPosition));
    if (pulse) {
        Add(fields, "ReadOnly", condition.ReadOnly);
    }
    if (direction != DIRECTION_SAMPLING) {
        return fields;
    }
    Add(fields, "MonitorMode", condition.MonitorMode);
    Add(fields, "MonitorMethod", condition.MonitorMethod);
    Add(fields, "MonitorPercentage", condition.MonitorPercentage);
    Add(fields, "MonitorDataBase", condition.MonitorDataBase);
    Add(fields, "MonitorData", HexText(condition.MonitorData));
    Add(fields, "MonitorDataBitNumbers", condition.MonitorDataBitNumbers);
    Add(fields, "MonitorChannel", condition.MonitorChannel);
    Add(fields, "AutoSave", pulse ? condition.AutoSave : static_cast<int16_t>(condition.AutoSave));
    Add(fields, "AutoSavePath", condition.AutoSavePath);
    Add(fields, "AutoSaveFileType", condition.AutoSaveFileType);
    Add(fields, "AutoSaveFileName", condition.AutoSaveFileName);
    return fields;
}

FileResult CConditionFields::Stage(const CLogicDocument& document, const KEY_VALUES& values, Kind kind,
                                   STAGED_CONDITION& staged) {
    const CValueLookup lookup(values);
    staged.Condition = document.Condition();
    LOGIC_CONDITION& condition = staged.Condition;
    const bool cutDeviceTexts = kind == Kind::Condition;
    if (!lookup.String("DeviceDesc", condition.DeviceDesc, cutDeviceTexts) ||
        !lookup.String("DeviceName", condition.DeviceName, cutDeviceTexts)) {
        return FileResult::ReadRefused("a device text is longer than 255 bytes");
    }
    condition.ModelType = CLogicDocument::ModelTypeOf(condition.DeviceDesc, condition.ModelType);
    lookup.Decimal("Direction", condition.Direction);
    if (!lookup.Problem().empty()) {
        return FileResult::ReadRefused(lookup.Problem());
    }
    const CLogicMemory* memory = document.Memory(condition.Direction);
    if (memory == nullptr) {
        return FileResult::ReadRefused("the direction " + std::to_string(condition.Direction) +
                                       " is neither sampling (1) nor generating (2)");
    }
    staged.Size = memory->Length();
    lookup.Decimal("Size", staged.Size);
    if (!lookup.Problem().empty()) {
        return FileResult::ReadRefused(lookup.Problem());
    }
    if (const std::string problem = SizeProblem(staged.Size); !problem.empty()) {
        return FileResult::ReadRefused(problem);
    }
    StageGroup(lookup, kind, condition);
    if (condition.Direction == DIRECTION_SAMPLING && !StageSamplingOnly(lookup, kind, condition)) {
        return FileResult::ReadRefused("an auto-save text is longer than 255 bytes");
    }
    if (!lookup.Problem().empty()) {
        return FileResult::ReadRefused(lookup.Problem());
    }
    return FileResult::Success();
}

FileResult CConditionFields::ResizeFor(CLogicDocument& document, const STAGED_CONDITION& staged) {
    if (document.IsRunning.load() != 0) {
        return FileResult::ReadRefused("a run of the document is active");
    }
    CLogicMemory* memory = document.Memory(staged.Condition.Direction);
    if (memory == nullptr) {
        return FileResult::ReadRefused("the direction is neither sampling nor generating");
    }
    if (!memory->Resize(staged.Size)) {
        return FileResult::ReadRefused("a memory of " + std::to_string(staged.Size) +
                                       " words cannot be allocated");
    }
    return FileResult::Success();
}

void CConditionFields::Apply(CLogicDocument& document, const STAGED_CONDITION& staged, Kind kind) {
    const LOGIC_CONDITION& from = staged.Condition;
    LOGIC_CONDITION& to = document.Condition();
    const int direction = from.Direction;
    const DIRECTION_GROUP& group = *from.Group(direction);
    const bool pulse = kind == Kind::Pulse;

    document.SetDevice(from.DeviceDesc, from.DeviceName);
    to.Direction = from.Direction;
    document.NotifyViews();
    if (pulse) {
        to.Group(direction)->MaxChannels = group.MaxChannels;
        document.NotifyViews();
    }
    document.SetClockType(direction, group.ClockType);
    document.SetClock(direction, group.Clock, group.ClockUnit);
    document.SetStartTrigger(direction, group.StartTrigger);
    if (direction == DIRECTION_SAMPLING && group.StartTrigger == 4) {
        to.StartPattern = from.StartPattern;
        to.PatternMask = from.PatternMask;
        document.NotifyViews();
    }
    document.SetStopTrigger(direction, group.StopTrigger);
    // The memory already has this size, so only the counts change here.
    (void)document.SetSize(direction, staged.Size, group.RepeatCount);
    document.SetStartPosition(direction, group.StartPosition);
    document.SetStopPosition(direction, group.StopPosition);
    if (pulse) {
        to.ReadOnly = from.ReadOnly;
        document.NotifyViews();
    }
    if (direction != DIRECTION_SAMPLING) {
        return;
    }
    to.MonitorMode = from.MonitorMode;
    to.MonitorMethod = from.MonitorMethod;
    to.MonitorPercentage = from.MonitorPercentage;
    to.MonitorDataBase = from.MonitorDataBase;
    to.MonitorData = from.MonitorData;
    to.MonitorDataBitNumbers = from.MonitorDataBitNumbers;
    to.MonitorChannel = from.MonitorChannel;
    to.AutoSave = from.AutoSave;
    document.NotifyViews();
    document.SetAutoSavePath(from.AutoSavePath);
    to.AutoSaveFileType = from.AutoSaveFileType;
    document.NotifyViews();
    document.SetAutoSaveFileName(from.AutoSaveFileName);
}

std::string CConditionFields::SizeProblem(uint32_t size) {
    if (size == 0) {
        return "the Size is 0";
    }
    if (size > MaxFileWords) {
        return "the Size " + std::to_string(size) + " is larger than the largest memory (" +
               std::to_string(MaxFileWords) + " words)";
    }
    return {};
}

std::string CConditionFields::TextProblem(const LOGIC_CONDITION& condition, std::string_view forbidden) {
    std::vector<std::pair<const char*, const std::string*>> texts = {
        {"DeviceDesc", &condition.DeviceDesc}, {"DeviceName", &condition.DeviceName}};
    if (condition.Direction == DIRECTION_SAMPLING) {
        texts.emplace_back("AutoSavePath", &condition.AutoSavePath);
        texts.emplace_back("AutoSaveFileName", &condition.AutoSaveFileName);
    }
    for (const auto& [key, text] : texts) {
        if (text->size() > MaxTextBytes) {
            return std::string(key) + " is longer than 255 bytes";
        }
        if (text->find_first_of(forbidden) != std::string::npos) {
            return std::string(key) + " holds a comma or a line break";
        }
    }
    return {};
}
