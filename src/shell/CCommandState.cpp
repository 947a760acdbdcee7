#include "shell/CCommandState.h"

#include "document/LOGIC_CONDITION.h"
#include "resources/CommandIds.h"

namespace {

COMMAND_UI Enabled(bool enabled) { return COMMAND_UI{enabled, false, false}; }
COMMAND_UI Checked(bool enabled, bool checked) { return COMMAND_UI{enabled, checked, false}; }
COMMAND_UI Radio(bool enabled, bool on) { return COMMAND_UI{enabled, on, true}; }

bool InRange(int command, int first, int count) { return command >= first && command < first + count; }

}  // namespace

bool CCommandState::IsBlocked(int command) {
    return command == cmd::FrameworkSave || command == cmd::FrameworkSaveAs;
}

bool CCommandState::IsGraphCommand(int command) {
    switch (command) {
    case cmd::EditUndo: case cmd::EditRedo: case cmd::EditCut: case cmd::EditCopy:
    case cmd::EditPaste: case cmd::EditSelectAll: case cmd::EditSwap:
    case cmd::JumpFirstClock: case cmd::JumpLastClock: case cmd::JumpPageBackward:
    case cmd::JumpPageForward: case cmd::JumpToClock: case cmd::ExpandToStart:
    case cmd::ExpandToEnd: case cmd::ExpandPageForward: case cmd::ExpandPageBackward:
    case cmd::ModeInsert: case cmd::ModeOverwrite: case cmd::EditDisabled:
    case cmd::MouseSelect: case cmd::MouseInvertBit: case cmd::MouseShiftBit:
    case cmd::ZoomIn: case cmd::ZoomOut: case cmd::ZoomDefault: case cmd::ZoomAny:
    case cmd::CursorA: case cmd::CursorB: case cmd::UnitClock: case cmd::UnitTime:
        return true;
    default:
        return false;
    }
}

COMMAND_UI CCommandState::Query(int command, const COMMAND_CONTEXT& context) {
    if (IsBlocked(command)) {
        return {};
    }
    COMMAND_UI result;
    if (QueryAlwaysAvailable(command, context, result)) {
        return result;
    }
    if (!context.HasFrame) {
        return QueryWithoutFrame(command, context);
    }
    if (IsGraphCommand(command)) {
        return context.GraphActive ? QueryGraph(command, context) : COMMAND_UI{};
    }
    return QueryFrame(command, context);
}

// Commands of the frame and the application that do not depend on a document.
bool CCommandState::QueryAlwaysAvailable(int command, const COMMAND_CONTEXT& context, COMMAND_UI& result) {
    switch (command) {
    case cmd::AppExit: case cmd::AppAbout: case cmd::FilePrintSetup:
        result = Enabled(true);
        return true;
    case cmd::ViewToolbar:
        result = Checked(true, context.ToolbarShown);
        return true;
    case cmd::ViewStatusBar:
        result = Checked(true, context.StatusBarShown);
        return true;
    case cmd::ViewDockWindow:
        result = Checked(true, context.DockWindowShown);
        return true;
    case cmd::LanguageJapanese:
        result = Checked(true, context.Language == 1041);
        return true;
    case cmd::LanguageEnglish:
        result = Checked(true, context.Language != 1041);
        return true;
    case cmd::FileOpenCondition:
        // Loading a condition resizes the memory of its direction: never
        // under a running transfer, which reads or writes that memory.
        result = Enabled(!context.RunActive && !context.DocumentRunning);
        return true;
    case cmd::FileSaveCondition:
        result = Enabled(true);
        return true;
    default:
        return false;
    }
}

COMMAND_UI CCommandState::QueryWithoutFrame(int command, const COMMAND_CONTEXT& /*context*/) {
    switch (command) {
    case cmd::FileNew: case cmd::FileOpen:
        return Enabled(true);
    default:
        return {};
    }
}

COMMAND_UI CCommandState::QueryFrame(int command, const COMMAND_CONTEXT& c) {
    const bool generating = c.Direction == DIRECTION_GENERATING;
    // Another window of the document that runs blocks this one too.
    const bool idle = !c.RunActive && !c.DocumentRunning;
    switch (command) {
    case cmd::DeviceStart: return Enabled(c.DeviceOpen && idle);
    case cmd::DeviceStop: return Enabled(c.DeviceOpen && c.RunActive);
    case cmd::FileNew: return {};
    case cmd::FileOpen: case cmd::FileClose: case cmd::FileSave: case cmd::FileSaveAs:
    case cmd::FileOpenDataPattern: case cmd::Search:
        return Enabled(idle);
    case cmd::FileSaveDataPattern: return Enabled(c.PatternCreated);
    case cmd::PatternClock: case cmd::PatternContinuous: case cmd::PatternOffset:
        return Enabled(generating && idle && !c.ReadOnly);
    case cmd::LogicAnd: case cmd::LogicOr: case cmd::LogicXor:
        return Enabled(generating && c.SelectedChannels > 1);
    case cmd::LogicNot: return Enabled(generating && c.SelectedChannels == 1);
    case cmd::PulseRise: case cmd::PulseFall: return Enabled(true);
    case cmd::Frequency: return Enabled(c.ClockType == 1 || c.ClockType == 3);
    case cmd::SearchNext: case cmd::SearchPrevious: return Enabled(c.SearchMade);
    case cmd::BookmarkToggle: case cmd::BookmarkList: return Enabled(true);
    case cmd::BookmarkNext: case cmd::BookmarkPrevious: case cmd::BookmarkClear:
        return Enabled(c.BookmarksNotEmpty);
    case cmd::Compare: return Enabled(c.SelectionSpansRows);
    // The sampling memory is the buffer a running board writes into.
    case cmd::SamplingMemoryOption: return Enabled(!generating && idle);
    case cmd::SignalNameProperties: return Enabled(c.TreeEditable);
    case cmd::FilePrint: case cmd::FilePrintPreview:
    case cmd::WindowNew: case cmd::WindowCascade: case cmd::WindowTileHorizontal:
    case cmd::WindowTileVertical: case cmd::WindowClose: case cmd::WindowCloseAll:
    case cmd::NextPane: case cmd::PreviousPane:
        return Enabled(true);
    default:
        if (InRange(command, cmd::RecentFileFirst, cmd::RecentFileCount) ||
            InRange(command, cmd::RecentConditionFileFirst, cmd::RecentFileCount) ||
            InRange(command, cmd::RecentDataPatternFileFirst, cmd::RecentFileCount)) {
            // A recent file loads into the document's memories.
            return Enabled(idle);
        }
        return {};
    }
}

COMMAND_UI CCommandState::QueryGraph(int command, const COMMAND_CONTEXT& c) {
    const bool idle = !c.RunActive && !c.DocumentRunning;
    switch (command) {
    case cmd::ModeInsert: return Radio(true, c.InsertMode);
    case cmd::ModeOverwrite: return Radio(true, !c.InsertMode);
    case cmd::EditDisabled: return Checked(idle, c.ReadOnly);
    case cmd::CursorA: return Checked(true, c.CursorAShown);
    case cmd::CursorB: return Checked(true, c.CursorBShown);
    case cmd::UnitClock: return Radio(true, c.GraphUnit == 0);
    case cmd::UnitTime: return Radio(true, c.GraphUnit == 1);
    case cmd::MouseSelect: return Radio(true, c.MouseMode == 0);
    case cmd::MouseInvertBit: return Radio(true, c.MouseMode == 1);
    case cmd::MouseShiftBit: return Radio(true, c.MouseMode == 2);
    case cmd::EditSwap: return Enabled(c.Direction == DIRECTION_GENERATING && idle);
    case cmd::EditCopy: return Enabled(c.CanCopy && idle);
    case cmd::EditCut: return Enabled(!c.ReadOnly && c.CanCut && idle);
    case cmd::EditPaste: return Enabled(!c.ReadOnly && c.CanPaste && idle);
    case cmd::EditUndo: return Enabled(c.CanUndo && idle);
    case cmd::EditRedo: return Enabled(c.CanRedo && idle);
    default:
        // Jump, select and zoom commands, Select All.
        return Enabled(true);
    }
}
