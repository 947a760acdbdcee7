#pragma once
#include <string>
#include <vector>

// The properties of the condition grid, in grid order.
enum class GridProperty {
    Mode,
    ClockType,
    ClockValue,
    ClockUnit,
    StartCondition,
    StartPattern,
    PatternMask,
    StopCondition,
    StartPosition,
    StopPosition,
    Repeat,
    MonitorMode,
    MonitorMethod,
    MonitorPercentage,
    MonitorDataBase,
    MonitorData,
    MonitorBitNumbers,
    MonitorChannel,
    AutoSave,
    AutoSavePath,
    AutoSaveFileType,
    AutoSaveFileName,
    BufferSize,
};

// How a value is entered: picked from the options only, typed as text or as
// a number of a width, chosen with a folder browser, or typed with options
// offered.
enum class GridValueKind { Pick, Text, Unsigned32, Signed32, Signed16, Folder, TextWithOptions };

// One property: its texts by id, the value shown and the value it was
// created with (a value that differs from it carries the changed mark).
struct GRID_ITEM {
    GridProperty Property = GridProperty::Mode;
    int NameId = 0;
    int DescriptionId = 0;
    GridValueKind Kind = GridValueKind::Text;
    std::vector<int> OptionIds;
    std::string Value;
    std::string DefaultValue;
    bool Shown = true;
    bool Enabled = true;

    [[nodiscard]] bool Changed() const { return Value != DefaultValue; }
};

struct GRID_GROUP {
    int NameId = 0;
    bool Shown = true;
    std::vector<GRID_ITEM> Items;
};
