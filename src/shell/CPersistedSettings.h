#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/LOGIC_CONDITION.h"

class CLogicDocument;
class ISettingsStore;

// What the application keeps from one start to the next: the device and the
// acquisition condition of the document window that was active at exit, the
// bookmark list option, the language and the print preview pages. Read once
// at start-up, applied to the first document, written once at exit.
//
// Stored values are not trusted: a number outside what its field can hold
// takes the field's default, and sizes, positions and the repeat count go
// through the same rules as typed values, so a damaged settings file can
// never keep the application from starting.
class CPersistedSettings {
public:
    static constexpr uint32_t DefaultBufferSize = 1000;
    static constexpr uint32_t LargestBufferSize = 100000000;
    static constexpr int DefaultApplicationLook = 216;

    // The folder used for a missing or vanished auto-save path.
    explicit CPersistedSettings(std::string defaultFolder);

    // "Settings"/"PreviewPages", "Language"/"LCID" and "Workspace"/"ApplicationLook".
    void LoadStartup(const ISettingsStore& store);
    // The language of this start: the stored LCID, or for 0 (or anything
    // else) the system's language when it is Japanese, else English.
    [[nodiscard]] int StartLanguage(int systemLanguage) const;
    [[nodiscard]] int PreviewPages() const { return m_previewPages; }
    [[nodiscard]] int ApplicationLook() const { return m_applicationLook; }

    // Finds the persisted device in the device list (names and types as the
    // binding enumerated them) and reads the settings of its direction. With
    // no match, or an unbound library (an empty list), there is no persisted
    // device. The device type is the list's, never the stored text.
    void LoadPersistedSettings(const ISettingsStore& store, const std::vector<std::string>& deviceNames,
                               const std::vector<std::string>& deviceTypes);
    [[nodiscard]] bool HasDevice() const { return !m_deviceName.empty() && !m_deviceType.empty(); }
    [[nodiscard]] const std::string& DeviceName() const { return m_deviceName; }
    [[nodiscard]] const std::string& DeviceType() const { return m_deviceType; }
    [[nodiscard]] int16_t Direction() const { return m_direction; }
    [[nodiscard]] bool AutoClose() const { return m_autoClose; }

    // Gives the first document the persisted device, direction and condition
    // (the window layer then reopens the board and rebuilds the signal tree).
    // False when a memory could not take its size: it keeps the size it had.
    [[nodiscard]] bool ApplyTo(CLogicDocument& document) const;

    // Writes the document's device, direction, the set of the direction in
    // use, the sampling buffer size and the bookmark option. The other
    // direction's entries keep what they held.
    static void SavePersistedSettings(ISettingsStore& store, const CLogicDocument& document, bool autoClose);
    // The language commands store the language of the next start.
    static void SaveLanguage(ISettingsStore& store, int language);
    // At every exit: the visual style as it was read (216 by default).
    void SaveApplicationLook(ISettingsStore& store) const;
    // At every exit: forget the saved layout of the main toolbar.
    static void ForgetToolbarLayout(ISettingsStore& store);

private:
    void ReadGroup(const ISettingsStore& store, const char* section);
    void ReadSamplingExtras(const ISettingsStore& store);
    static void KeepPositionsInMemory(CLogicDocument& document, int direction);

    std::string m_defaultFolder;
    int m_previewPages = 0;
    int m_language = 0;
    int m_applicationLook = DefaultApplicationLook;

    std::string m_deviceName;
    std::string m_deviceType;
    int16_t m_direction = DIRECTION_GENERATING;
    DIRECTION_GROUP m_group;
    uint32_t m_bufferSize = DefaultBufferSize;
    LOGIC_CONDITION m_sampling;  // start pattern, mask, monitor and auto-save fields
    uint32_t m_samplingBufferSize = DefaultBufferSize;
    bool m_autoClose = true;
};
