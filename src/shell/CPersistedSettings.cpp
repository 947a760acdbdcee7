#include "shell/CPersistedSettings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "document/CEntryRules.h"
#include "document/CLogicDocument.h"
#include "resources/CStringTable.h"
#include "shell/ISettingsStore.h"

namespace {
constexpr const char* CommonSection = "Common Settings";
constexpr const char* GeneratingSection = "Generating Settings";
constexpr const char* SamplingSection = "Sampling Settings";
constexpr const char* BookmarkSection = "Bookmark Settings";

// A stored number inside [low, high], else the default.
int64_t Number(const ISettingsStore& store, const char* section, const char* entry, int64_t fallback, int64_t low,
               int64_t high) {
    const auto value = store.ReadNumber(section, entry);
    return value && *value >= low && *value <= high ? *value : fallback;
}

int16_t Choice(const ISettingsStore& store, const char* section, const char* entry, int fallback, int low,
               int high) {
    return static_cast<int16_t>(Number(store, section, entry, fallback, low, high));
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

// Texts that the pulse files could not hold never reach the condition.
bool StorableText(const std::string& text) {
    return text.size() <= 255 && text.find_first_of(",\r\n") == std::string::npos;
}
}  // namespace

CPersistedSettings::CPersistedSettings(std::string defaultFolder) : m_defaultFolder(std::move(defaultFolder)) {
    m_sampling.AutoSavePath = m_defaultFolder;
}

void CPersistedSettings::LoadStartup(const ISettingsStore& store) {
    m_previewPages = static_cast<int>(Number(store, "Settings", "PreviewPages", 0, 0, 16));
    m_language = static_cast<int>(Number(store, "Language", "LCID", 0, 0, 0xFFFF));
    m_applicationLook = static_cast<int>(Number(store, "Workspace", "ApplicationLook", DefaultApplicationLook,
                                                INT32_MIN, INT32_MAX));
}

int CPersistedSettings::StartLanguage(int systemLanguage) const {
    if (m_language == LANGUAGE_JAPANESE || m_language == LANGUAGE_ENGLISH) {
        return m_language;
    }
    return systemLanguage == LANGUAGE_JAPANESE ? LANGUAGE_JAPANESE : LANGUAGE_ENGLISH;
}

void CPersistedSettings::LoadPersistedSettings(const ISettingsStore& store,
                                               const std::vector<std::string>& deviceNames,
                                               const std::vector<std::string>& deviceTypes) {
    m_deviceName.clear();
    m_deviceType.clear();
    const std::string stored = store.ReadText(CommonSection, "DeviceName").value_or("");
    const std::size_t blank = stored.find(' ');
    if (stored.empty() || blank == std::string::npos) {
        return;
    }
    const std::string name = stored.substr(0, blank);
    const std::size_t count = std::min(deviceNames.size(), deviceTypes.size());
    const auto found = std::find(deviceNames.begin(), deviceNames.begin() + static_cast<std::ptrdiff_t>(count), name);
    if (found == deviceNames.begin() + static_cast<std::ptrdiff_t>(count)) {
        return;
    }
    m_deviceName = name;
    m_deviceType = deviceTypes[static_cast<std::size_t>(found - deviceNames.begin())];
    m_direction = Choice(store, CommonSection, "Direction", DIRECTION_GENERATING, DIRECTION_SAMPLING,
                         DIRECTION_GENERATING);
    const bool sampling = m_direction == DIRECTION_SAMPLING;
    ReadGroup(store, sampling ? SamplingSection : GeneratingSection);
    if (sampling) {
        ReadSamplingExtras(store);
    }
    m_samplingBufferSize = static_cast<uint32_t>(
        Number(store, SamplingSection, "Buffer Size", DefaultBufferSize, 1, LargestBufferSize));
    m_autoClose = Number(store, BookmarkSection, "Auto Close", 1, INT32_MIN, INT32_MAX) != 0;
}

void CPersistedSettings::ReadGroup(const ISettingsStore& store, const char* section) {
    DIRECTION_GROUP& g = m_group;
    g = DIRECTION_GROUP{};
    g.ClockType = Choice(store, section, "Clock Type", 1, 1, 3);
    g.ClockUnit = Choice(store, section, "Clock Unit", 2, 1, 4);
    // The clock is taken as stored, as files give it (a board that cannot run
    // it says so at Start); only a 0 becomes 1.
    g.Clock = static_cast<uint32_t>(Number(store, section, "Clock Value", 1, 1, UINT32_MAX));
    const int16_t model = CLogicDocument::ModelTypeOf(m_deviceType, MODEL_TYPE_A);
    g.StartTrigger = Choice(store, section, "Start Trigger", 1, 1, 4);
    g.StopTrigger = Choice(store, section, "Stop Trigger", 4, 1, 4);
    // The positions and the repeat count follow the size, as typed values do.
    // (For sampling, "Buffer Size" is the sampling buffer size.)
    m_bufferSize = static_cast<uint32_t>(Number(store, section, "Buffer Size", DefaultBufferSize, 1,
                                                LargestBufferSize));
    const uint32_t size = m_bufferSize;
    const auto start = static_cast<uint32_t>(Number(store, section, "Start Position", 0, 0, UINT32_MAX));
    const auto stop = static_cast<uint32_t>(Number(store, section, "Stop Position", 999, 0, UINT32_MAX));
    g.StopPosition = CEntryRules::StopPosition(stop, std::min(start, stop > 0 ? stop - 1 : 0), size);
    g.StartPosition = CEntryRules::StartPosition(start, g.StopPosition, size);
    g.RepeatCount = CEntryRules::RepeatCount(Number(store, section, "Repeat Count", 1, INT32_MIN, UINT32_MAX), model,
                                             g.StartPosition, g.StopPosition);
}

void CPersistedSettings::ReadSamplingExtras(const ISettingsStore& store) {
    const char* s = SamplingSection;
    LOGIC_CONDITION& c = m_sampling;
    c.StartPattern = static_cast<uint32_t>(Number(store, s, "Start Pattern", 85, 0, UINT32_MAX));
    c.PatternMask = static_cast<uint32_t>(Number(store, s, "Start Pattern Mask", 0xFFFFFFFF, 0, UINT32_MAX));
    c.MonitorMode = Choice(store, s, "Data Monitor Mode", 0, 0, 2);
    c.MonitorMethod = Choice(store, s, "Data Monitor Direction", 0, 0, 1);
    c.MonitorPercentage = Choice(store, s, "Data Monitor Percentage", 0, 0, 100);
    c.MonitorDataBase = Choice(store, s, "Data Monitor Data Base", 0, 0, 1);
    c.MonitorData = static_cast<uint32_t>(Number(store, s, "Data Monitor Data", 85, 0, UINT32_MAX));
    c.MonitorDataBitNumbers = Choice(store, s, "Data Monitor Data Bits", 8, 1, 32);
    c.MonitorChannel = Choice(store, s, "Data Monitor Channel", 0, 0, 31);
    c.AutoSave = static_cast<int32_t>(Number(store, s, "Auto Save Setting", 0, 0, 1));
    c.AutoSaveFileType = Choice(store, s, "Auto Save File Type", 0, 0, 1);
    const std::string path = store.ReadText(s, "Auto Save Path").value_or(m_defaultFolder);
    c.AutoSavePath = IsFolder(path) && StorableText(path) ? path : m_defaultFolder;
    const std::string name = store.ReadText(s, "Auto Save File Name").value_or("LogicData");
    const bool nameFits = StorableText(name) && name.find('/') == std::string::npos && name != "..";
    c.AutoSaveFileName = nameFits ? name : "LogicData";
}

bool CPersistedSettings::ApplyTo(CLogicDocument& document) const {
    if (!HasDevice()) {
        return true;
    }
    document.SetDevice(m_deviceType, m_deviceName);
    document.Condition().Direction = m_direction;
    document.NotifyViews();
    const int direction = m_direction;
    document.SetClockType(direction, m_group.ClockType);
    document.SetClock(direction, m_group.Clock, m_group.ClockUnit);
    document.SetStartTrigger(direction, m_group.StartTrigger);
    document.SetStopTrigger(direction, m_group.StopTrigger);
    document.SetStartPosition(direction, m_group.StartPosition);
    document.SetStopPosition(direction, m_group.StopPosition);
    bool resized = true;
    if (direction == DIRECTION_GENERATING) {
        resized = document.SetSize(direction, m_bufferSize, m_group.RepeatCount);
    } else {
        LOGIC_CONDITION& c = document.Condition();
        c.StartPattern = m_sampling.StartPattern;
        c.PatternMask = m_sampling.PatternMask;
        resized = document.SetSize(direction, m_samplingBufferSize, m_group.RepeatCount);
        c.MonitorMode = m_sampling.MonitorMode;
        c.MonitorMethod = m_sampling.MonitorMethod;
        c.MonitorPercentage = m_sampling.MonitorPercentage;
        c.MonitorDataBase = m_sampling.MonitorDataBase;
        c.MonitorData = m_sampling.MonitorData;
        c.MonitorDataBitNumbers = m_sampling.MonitorDataBitNumbers;
        c.MonitorChannel = m_sampling.MonitorChannel;
        c.AutoSave = m_sampling.AutoSave;
        c.AutoSaveFileType = m_sampling.AutoSaveFileType;
        document.SetAutoSavePath(m_sampling.AutoSavePath);
        document.SetAutoSaveFileName(m_sampling.AutoSaveFileName);
    }
    if (document.Condition().SamplingBufferSize != m_samplingBufferSize) {
        resized = document.SetBufferSize(m_samplingBufferSize) && resized;
    }
    if (!resized) {
        KeepPositionsInMemory(document, direction);
    }
    return resized;
}

// A memory that could not take the stored size keeps its old one: the
// positions are brought back inside it.
void CPersistedSettings::KeepPositionsInMemory(CLogicDocument& document, int direction) {
    const CLogicMemory* memory = direction == DIRECTION_GENERATING ? &document.GeneratingMemory()
                                                                   : &document.SamplingMemory();
    const uint32_t last = memory->Length() > 0 ? memory->Length() - 1 : 0;
    if (DIRECTION_GROUP* group = document.Condition().Group(direction)) {
        if (group->StopPosition > last) {
            document.SetStopPosition(direction, last);
        }
        if (group->StartPosition > group->StopPosition) {
            document.SetStartPosition(direction, 0);
        }
    }
}

void CPersistedSettings::SavePersistedSettings(ISettingsStore& store, const CLogicDocument& document,
                                               bool autoClose) {
    const LOGIC_CONDITION& c = document.Condition();
    store.WriteText(CommonSection, "DeviceName", c.DeviceName + " " + c.DeviceDesc);
    store.WriteNumber(CommonSection, "Direction", c.Direction);
    const bool sampling = c.Direction == DIRECTION_SAMPLING;
    const DIRECTION_GROUP* g = c.Group(c.Direction);
    if (g != nullptr) {
        const char* s = sampling ? SamplingSection : GeneratingSection;
        store.WriteNumber(s, "Clock Type", g->ClockType);
        store.WriteNumber(s, "Clock Value", g->Clock);
        store.WriteNumber(s, "Clock Unit", g->ClockUnit);
        store.WriteNumber(s, "Start Trigger", g->StartTrigger);
        store.WriteNumber(s, "Stop Trigger", g->StopTrigger);
        store.WriteNumber(s, "Start Position", g->StartPosition);
        store.WriteNumber(s, "Stop Position", g->StopPosition);
        store.WriteNumber(s, "Repeat Count", g->RepeatCount);
    }
    if (c.Direction == DIRECTION_GENERATING) {
        store.WriteNumber(GeneratingSection, "Buffer Size", document.GeneratingMemory().Length());
    } else if (sampling) {
        const char* s = SamplingSection;
        store.WriteNumber(s, "Start Pattern", c.StartPattern);
        store.WriteNumber(s, "Start Pattern Mask", c.PatternMask);
        store.WriteNumber(s, "Data Monitor Mode", c.MonitorMode);
        store.WriteNumber(s, "Data Monitor Direction", c.MonitorMethod);
        store.WriteNumber(s, "Data Monitor Percentage", c.MonitorPercentage);
        store.WriteNumber(s, "Data Monitor Data Base", c.MonitorDataBase);
        store.WriteNumber(s, "Data Monitor Data", c.MonitorData);
        store.WriteNumber(s, "Data Monitor Data Bits", c.MonitorDataBitNumbers);
        store.WriteNumber(s, "Data Monitor Channel", c.MonitorChannel);
        store.WriteNumber(s, "Auto Save Setting", c.AutoSave);
        store.WriteText(s, "Auto Save Path", c.AutoSavePath);
        store.WriteNumber(s, "Auto Save File Type", c.AutoSaveFileType);
        store.WriteText(s, "Auto Save File Name", c.AutoSaveFileName);
    }
    store.WriteNumber(SamplingSection, "Buffer Size", c.SamplingBufferSize);
    store.WriteNumber(BookmarkSection, "Auto Close", autoClose ? 1 : 0);
}

void CPersistedSettings::SaveLanguage(ISettingsStore& store, int language) {
    store.WriteNumber("Language", "LCID", language);
}

void CPersistedSettings::SaveApplicationLook(ISettingsStore& store) const {
    store.WriteNumber("Workspace", "ApplicationLook", m_applicationLook);
}

void CPersistedSettings::ForgetToolbarLayout(ISettingsStore& store) {
    store.Remove("Workspace", "MFCToolBar-5939882");
    store.Remove("Workspace", "MFCToolBar-593980");
}
