#pragma once
#include <memory>
#include <vector>

#include "graph/GRAPH_INPUT.h"
#include "resources/CommandIds.h"
#include "graph/IGraphKeyCommand.h"

class CGraphModel;
class IGraphViewHost;

// The keys of the graph without its window: Alt+Home, Alt+Left and Alt+Right
// zoom, Ctrl+J and Ctrl+W ask the main frame for Jump To Specified Clock and
// Swap, Insert toggles insert mode, and the page, end and arrow keys move the
// current cell through CGraphNavigator (Shift extends the selection). Further
// key groups (data entry) are added with AddCommand and are asked first.
class CGraphKeyController {
public:
    static constexpr int JumpToClockCommand = cmd::JumpToClock;
    static constexpr int SwapCommand = cmd::EditSwap;

    CGraphKeyController(CGraphModel& model, IGraphViewHost& host);
    ~CGraphKeyController();
    CGraphKeyController(const CGraphKeyController&) = delete;
    CGraphKeyController& operator=(const CGraphKeyController&) = delete;

    void AddCommand(std::unique_ptr<IGraphKeyCommand> command);
    // True when the key was handled.
    [[nodiscard]] bool KeyDown(const GRAPH_KEY_EVENT& key);
    // A page, end or arrow move of the current cell, as its key with or
    // without Shift (the Edit menu's jump and select commands); false for
    // any other key.
    bool Move(GRAPH_KEY key, bool extend);

private:
    [[nodiscard]] bool AltKey(const GRAPH_KEY_EVENT& key);

    CGraphModel& m_model;
    IGraphViewHost& m_host;
    std::vector<std::unique_ptr<IGraphKeyCommand>> m_commands;
};
