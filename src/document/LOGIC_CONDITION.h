#pragma once
#include <cstdint>
#include <string>

// Direction values. Any other value selects nothing.
constexpr int16_t DIRECTION_SAMPLING = 1;
constexpr int16_t DIRECTION_GENERATING = 2;

// Model types derived from the device type text.
constexpr int16_t MODEL_TYPE_A = 0;  // "QDX-32A-PE", "QDX-32A(PCI)"
constexpr int16_t MODEL_TYPE_C = 1;  // "QDX-32C-PE"

// The per-run settings of one direction.
struct DIRECTION_GROUP {
    int16_t MaxChannels = 32;
    int16_t ClockType = 1;      // 1 internal, 2 external, 3 handshake
    uint32_t Clock = 1;         // counted in ClockUnit
    int16_t ClockUnit = 2;      // 1 s, 2 ms, 3 us, 4 ns
    int16_t StartTrigger = 1;   // 1 software, 2 rising, 3 falling, 4 pattern match
    int16_t StopTrigger = 4;    // 1 software, 2 rising, 3 falling, 4 after a number of words
    uint32_t StartPosition = 0;
    uint32_t StopPosition = 999;  // inclusive
    uint32_t RepeatCount = 1;

    bool operator==(const DIRECTION_GROUP&) const = default;
};

// The acquisition condition of a document: device identity, one settings
// group per direction, the pattern-match pair shared by both, and the
// sampling-only monitor and auto-save settings.
struct LOGIC_CONDITION {
    std::string DeviceDesc;
    std::string DeviceName;
    int16_t ModelType = MODEL_TYPE_A;  // derived by SetDevice, never stored in files
    int16_t Direction = DIRECTION_GENERATING;

    DIRECTION_GROUP SamplingGroup;
    uint32_t StartPattern = 0x00000055;
    uint32_t PatternMask = 0xFFFFFFFF;
    DIRECTION_GROUP GeneratingGroup;

    int32_t ReadOnly = 0;

    std::string AutoSavePath;
    int16_t AutoSaveFileType = 0;  // 0 pulse text file, 1 pulse binary file
    std::string AutoSaveFileName = "LogicData";
    int32_t AutoSave = 0;
    int16_t MonitorMode = 0;        // 0 off, 1 stop sampling, 2 graph automatic update
    int16_t MonitorPercentage = 0;  // 0..100
    int16_t MonitorMethod = 0;      // 0 clock axis, 1 channel axis
    int16_t MonitorDataBase = 0;    // 0 hexadecimal, 1 binary
    uint32_t MonitorData = 0x00000055;
    int16_t MonitorDataBitNumbers = 8;
    int16_t MonitorChannel = 0;
    uint32_t SamplingBufferSize = 1000000;

    bool operator==(const LOGIC_CONDITION&) const = default;

    // The group of a direction value, or nullptr for any other value.
    [[nodiscard]] DIRECTION_GROUP* Group(int direction) {
        return direction == DIRECTION_SAMPLING     ? &SamplingGroup
               : direction == DIRECTION_GENERATING ? &GeneratingGroup
                                                   : nullptr;
    }
    [[nodiscard]] const DIRECTION_GROUP* Group(int direction) const {
        return const_cast<LOGIC_CONDITION*>(this)->Group(direction);
    }
    [[nodiscard]] DIRECTION_GROUP* ActiveGroup() { return Group(Direction); }
    [[nodiscard]] const DIRECTION_GROUP* ActiveGroup() const { return Group(Direction); }
};
