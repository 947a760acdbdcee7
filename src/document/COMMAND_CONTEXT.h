#pragma once

// What the main window knows when it decides whether a command is enabled:
// the state of the active document window, of its graph and of the main
// window itself.
struct COMMAND_CONTEXT {
    // Main window
    int Language = 1033;
    bool SearchMade = false;
    bool PatternCreated = false;
    bool ToolbarShown = true;
    bool StatusBarShown = true;
    bool DockWindowShown = true;

    // Active document window (HasFrame false: no document window is open)
    bool HasFrame = false;
    bool RunActive = false;
    // Some window of the same document runs (they share its memories).
    bool DocumentRunning = false;
    bool DeviceOpen = false;
    int Direction = 2;
    int ClockType = 1;  // of the current direction
    bool ReadOnly = false;
    bool BookmarksNotEmpty = false;  // of the current direction
    bool SelectionSpansRows = false;
    bool TreeEditable = false;
    int SelectedChannels = 0;

    // The graph of that window, valid while GraphActive (the graph is the
    // window's active view)
    bool GraphActive = false;
    bool CursorAShown = false;
    bool CursorBShown = false;
    int GraphUnit = 0;   // 0 clock, 1 time
    int MouseMode = 0;   // 0 select, 1 invert bit, 2 shift bit
    bool InsertMode = false;
    bool CanCopy = false;
    bool CanCut = false;
    bool CanPaste = false;
    bool CanUndo = false;
    bool CanRedo = false;
};

// How a menu item or toolbar button shows a command.
struct COMMAND_UI {
    bool Enabled = false;
    bool Checked = false;
    bool Radio = false;  // drawn as a radio choice

    bool operator==(const COMMAND_UI&) const = default;
};
