#include <gtest/gtest.h>

#include <algorithm>

#include "document/LOGIC_CONDITION.h"
#include "shell/CCommandState.h"
#include "shell/CMenuTable.h"
#include "resources/CommandIds.h"

namespace {

COMMAND_CONTEXT Frame() {
    COMMAND_CONTEXT c;
    c.HasFrame = true;
    c.GraphActive = true;
    return c;
}

bool IsEnabled(int command, const COMMAND_CONTEXT& c) { return CCommandState::Query(command, c).Enabled; }

}  // namespace

TEST(CommandState, WithoutDocumentOnlyNewOpenAndFrameCommands) {
    COMMAND_CONTEXT c;
    EXPECT_TRUE(IsEnabled(cmd::FileNew, c));
    EXPECT_TRUE(IsEnabled(cmd::FileOpen, c));
    EXPECT_TRUE(IsEnabled(cmd::FileOpenCondition, c));
    EXPECT_TRUE(IsEnabled(cmd::FileSaveCondition, c));
    EXPECT_TRUE(IsEnabled(cmd::AppExit, c));
    EXPECT_TRUE(IsEnabled(cmd::AppAbout, c));
    for (int command : {cmd::FileClose, cmd::FileSave, cmd::FileSaveAs, cmd::DeviceStart, cmd::DeviceStop,
                        cmd::ZoomIn, cmd::EditCopy, cmd::WindowNew, cmd::WindowCloseAll, cmd::PulseRise,
                        cmd::BookmarkToggle, cmd::FileSaveDataPattern, cmd::SamplingMemoryOption}) {
        EXPECT_FALSE(IsEnabled(command, c)) << command;
    }
}

TEST(CommandState, LanguageMarksTheRunningLanguage) {
    for (bool frame : {false, true}) {
        COMMAND_CONTEXT c = frame ? Frame() : COMMAND_CONTEXT{};
        c.Language = 1041;
        EXPECT_TRUE(CCommandState::Query(cmd::LanguageJapanese, c).Checked);
        EXPECT_FALSE(CCommandState::Query(cmd::LanguageEnglish, c).Checked);
        c.Language = 1033;
        EXPECT_FALSE(CCommandState::Query(cmd::LanguageJapanese, c).Checked);
        EXPECT_TRUE(CCommandState::Query(cmd::LanguageEnglish, c).Checked);
        EXPECT_TRUE(IsEnabled(cmd::LanguageJapanese, c));
    }
}

TEST(CommandState, NewIsNeverEnabledWithADocument) {
    COMMAND_CONTEXT c = Frame();
    EXPECT_FALSE(IsEnabled(cmd::FileNew, c));
    c.RunActive = true;
    EXPECT_FALSE(IsEnabled(cmd::FileNew, c));
}

TEST(CommandState, StartAndStopFollowDeviceAndRun) {
    COMMAND_CONTEXT c = Frame();
    EXPECT_FALSE(IsEnabled(cmd::DeviceStart, c));
    EXPECT_FALSE(IsEnabled(cmd::DeviceStop, c));
    c.DeviceOpen = true;
    EXPECT_TRUE(IsEnabled(cmd::DeviceStart, c));
    EXPECT_FALSE(IsEnabled(cmd::DeviceStop, c));
    c.RunActive = true;
    EXPECT_FALSE(IsEnabled(cmd::DeviceStart, c));
    EXPECT_TRUE(IsEnabled(cmd::DeviceStop, c));
}

TEST(CommandState, RunDisablesFileSearchPatternAndEditCommands) {
    COMMAND_CONTEXT c = Frame();
    c.CanCopy = c.CanCut = c.CanPaste = c.CanUndo = c.CanRedo = true;
    const int blocked[] = {cmd::FileOpen, cmd::FileClose, cmd::FileSave, cmd::FileSaveAs,
                           cmd::FileOpenDataPattern, cmd::Search, cmd::EditDisabled, cmd::PatternClock,
                           cmd::PatternContinuous, cmd::PatternOffset, cmd::EditCopy, cmd::EditCut,
                           cmd::EditPaste, cmd::EditUndo, cmd::EditRedo, cmd::EditSwap};
    for (int command : blocked) {
        EXPECT_TRUE(IsEnabled(command, c)) << command;
    }
    c.RunActive = true;
    for (int command : blocked) {
        EXPECT_FALSE(IsEnabled(command, c)) << command;
    }
    // Loading a condition resizes the memory the board works in.
    EXPECT_FALSE(IsEnabled(cmd::FileOpenCondition, c));
    EXPECT_FALSE(IsEnabled(cmd::RecentFileFirst, c));
    EXPECT_FALSE(IsEnabled(cmd::RecentConditionFileFirst, c));
    EXPECT_TRUE(IsEnabled(cmd::FileSaveCondition, c));
    EXPECT_TRUE(IsEnabled(cmd::ZoomIn, c));
    EXPECT_TRUE(IsEnabled(cmd::PulseRise, c));
}

// The memory option resizes the sampling memory, which a running board writes
// into: refused while this window or another window of the document runs.
TEST(CommandState, SamplingMemoryOptionWaitsForTheRun) {
    COMMAND_CONTEXT c = Frame();
    c.Direction = DIRECTION_SAMPLING;
    c.DeviceOpen = true;
    EXPECT_TRUE(IsEnabled(cmd::SamplingMemoryOption, c));
    c.RunActive = true;
    EXPECT_FALSE(IsEnabled(cmd::SamplingMemoryOption, c));
    c.RunActive = false;
    c.DocumentRunning = true;
    EXPECT_FALSE(IsEnabled(cmd::SamplingMemoryOption, c));
    c.DocumentRunning = false;
    EXPECT_TRUE(IsEnabled(cmd::SamplingMemoryOption, c));
}

// A second window of a document that runs in its first window: nothing that
// loads into the shared memories or starts a second run, and no Stop for a
// run this window does not own.
TEST(CommandState, AnotherWindowOfARunningDocumentIsBlockedToo) {
    COMMAND_CONTEXT c = Frame();
    c.DeviceOpen = true;
    c.Direction = DIRECTION_SAMPLING;
    c.CanCopy = c.CanCut = c.CanPaste = c.CanUndo = c.CanRedo = true;
    c.DocumentRunning = true;
    const int blocked[] = {cmd::DeviceStart, cmd::DeviceStop, cmd::FileOpen, cmd::FileClose, cmd::FileSave,
                           cmd::FileSaveAs, cmd::FileOpenCondition, cmd::FileOpenDataPattern,
                           cmd::RecentFileFirst, cmd::RecentConditionFileFirst, cmd::RecentDataPatternFileFirst,
                           cmd::Search, cmd::EditDisabled, cmd::EditCopy, cmd::EditPaste, cmd::EditUndo};
    for (int command : blocked) {
        EXPECT_FALSE(IsEnabled(command, c)) << command;
    }
    EXPECT_TRUE(IsEnabled(cmd::FileSaveCondition, c));
    EXPECT_TRUE(IsEnabled(cmd::WindowNew, c));
    c.DocumentRunning = false;
    for (int command : blocked) {
        EXPECT_EQ(IsEnabled(command, c), command != cmd::DeviceStop) << command;
    }
}

TEST(CommandState, DirectionAndSelectionRules) {
    COMMAND_CONTEXT c = Frame();
    c.SelectedChannels = 1;
    EXPECT_TRUE(IsEnabled(cmd::LogicNot, c));
    EXPECT_FALSE(IsEnabled(cmd::LogicAnd, c));
    c.SelectedChannels = 2;
    EXPECT_FALSE(IsEnabled(cmd::LogicNot, c));
    EXPECT_TRUE(IsEnabled(cmd::LogicXor, c));
    EXPECT_FALSE(IsEnabled(cmd::SamplingMemoryOption, c));
    c.Direction = 1;
    EXPECT_FALSE(IsEnabled(cmd::LogicXor, c));
    EXPECT_FALSE(IsEnabled(cmd::PatternClock, c));
    EXPECT_FALSE(IsEnabled(cmd::EditSwap, c));
    EXPECT_TRUE(IsEnabled(cmd::SamplingMemoryOption, c));
    c.Direction = 2;
    c.ReadOnly = true;
    EXPECT_FALSE(IsEnabled(cmd::PatternOffset, c));
    EXPECT_TRUE(CCommandState::Query(cmd::EditDisabled, c).Checked);
}

TEST(CommandState, FlagsOfMainWindowAndFrame) {
    COMMAND_CONTEXT c = Frame();
    EXPECT_FALSE(IsEnabled(cmd::SearchNext, c));
    EXPECT_FALSE(IsEnabled(cmd::FileSaveDataPattern, c));
    EXPECT_FALSE(IsEnabled(cmd::BookmarkNext, c));
    EXPECT_FALSE(IsEnabled(cmd::Compare, c));
    EXPECT_FALSE(IsEnabled(cmd::SignalNameProperties, c));
    c.SearchMade = c.PatternCreated = c.BookmarksNotEmpty = c.SelectionSpansRows = c.TreeEditable = true;
    EXPECT_TRUE(IsEnabled(cmd::SearchPrevious, c));
    EXPECT_TRUE(IsEnabled(cmd::FileSaveDataPattern, c));
    EXPECT_TRUE(IsEnabled(cmd::BookmarkClear, c));
    EXPECT_TRUE(IsEnabled(cmd::Compare, c));
    EXPECT_TRUE(IsEnabled(cmd::SignalNameProperties, c));
    for (int type : {1, 2, 3}) {
        c.ClockType = type;
        EXPECT_EQ(IsEnabled(cmd::Frequency, c), type != 2);
    }
}

TEST(CommandState, GraphCommandsNeedTheGraphAsActiveView) {
    COMMAND_CONTEXT c = Frame();
    c.GraphActive = false;
    for (int command : {cmd::ZoomIn, cmd::CursorA, cmd::UnitTime, cmd::JumpFirstClock, cmd::ModeInsert,
                        cmd::EditSelectAll}) {
        EXPECT_FALSE(IsEnabled(command, c)) << command;
    }
    // Frame commands reach the frame whatever pane is active.
    EXPECT_TRUE(IsEnabled(cmd::BookmarkToggle, c));
}

TEST(CommandState, RadioAndCheckMarksOfTheGraph) {
    COMMAND_CONTEXT c = Frame();
    c.MouseMode = 2;
    c.GraphUnit = 1;
    c.CursorBShown = true;
    c.InsertMode = true;
    EXPECT_EQ(CCommandState::Query(cmd::MouseShiftBit, c), (COMMAND_UI{true, true, true}));
    EXPECT_EQ(CCommandState::Query(cmd::MouseSelect, c), (COMMAND_UI{true, false, true}));
    EXPECT_EQ(CCommandState::Query(cmd::UnitTime, c), (COMMAND_UI{true, true, true}));
    EXPECT_EQ(CCommandState::Query(cmd::UnitClock, c), (COMMAND_UI{true, false, true}));
    EXPECT_EQ(CCommandState::Query(cmd::CursorA, c), (COMMAND_UI{true, false, false}));
    EXPECT_EQ(CCommandState::Query(cmd::CursorB, c), (COMMAND_UI{true, true, false}));
    EXPECT_EQ(CCommandState::Query(cmd::ModeInsert, c), (COMMAND_UI{true, true, true}));
    EXPECT_EQ(CCommandState::Query(cmd::ModeOverwrite, c), (COMMAND_UI{true, false, true}));
}

TEST(CommandState, FrameworkSaveCommandsAreRefused) {
    for (bool frame : {false, true}) {
        COMMAND_CONTEXT c = frame ? Frame() : COMMAND_CONTEXT{};
        EXPECT_FALSE(IsEnabled(cmd::FrameworkSave, c));
        EXPECT_FALSE(IsEnabled(cmd::FrameworkSaveAs, c));
    }
    EXPECT_TRUE(CCommandState::IsBlocked(cmd::FrameworkSave));
    EXPECT_FALSE(CCommandState::IsBlocked(cmd::FileSave));
}

TEST(MenuTable, NoDocumentMenuHoldsOnlyItsCommands) {
    const std::vector<int> commands = CMenuTable::CommandsOf(CMenuTable::Menu(CMenuTable::NoDocumentMenu));
    const std::vector<int> expected = {cmd::FileNew,       cmd::FileOpen,         cmd::FileClose,
                                       cmd::AppExit,       cmd::ViewToolbar,      cmd::ViewStatusBar,
                                       cmd::ViewDockWindow, cmd::LanguageJapanese, cmd::LanguageEnglish,
                                       cmd::AppAbout};
    EXPECT_EQ(commands, expected);
}

TEST(MenuTable, DocumentMenuHoldsEveryCommandOnce) {
    std::vector<int> commands = CMenuTable::CommandsOf(CMenuTable::Menu(CMenuTable::DocumentMenu));
    std::sort(commands.begin(), commands.end());
    EXPECT_EQ(std::adjacent_find(commands.begin(), commands.end()), commands.end());
    for (int command : CMenuTable::ToolbarButtons()) {
        if (command != 0) {
            EXPECT_TRUE(std::binary_search(commands.begin(), commands.end(), command)) << command;
        }
    }
    for (const ACCELERATOR_ENTRY& key : CMenuTable::Accelerators()) {
        if (key.Command != cmd::NextPane && key.Command != cmd::PreviousPane) {
            EXPECT_TRUE(std::binary_search(commands.begin(), commands.end(), key.Command)) << key.Command;
        }
    }
    // Every command of the command table has its menu item.
    const int table[] = {32855, 32856, 32857, 32858, 32859, 32902, 32901, 32905, 32906, 57607, 57609, 57606,
                         57665, 57643, 57644, 57635, 57634, 57637, 57642, 32833, 32834, 32835, 32841, 32840,
                         32842, 32845, 32846, 32847, 32848, 32869, 32870, 32872, 32852, 32853, 32805, 32806,
                         32807, 32808, 32809, 32810, 32811, 32812, 59392, 59393, 32776, 32985, 32986, 32944,
                         32945, 32946, 32949, 32950, 32951, 32952, 32953, 32954, 32909, 32911, 32912, 32961,
                         32962, 32963, 32964, 32983, 32984, 32966, 57648, 57650, 57651, 57652, 32969, 32970,
                         32787, 32788, 32790, 32967, 57664};
    for (int command : table) {
        EXPECT_TRUE(std::binary_search(commands.begin(), commands.end(), command)) << command;
    }
}

TEST(MenuTable, ToolbarGroupsInOrder) {
    const std::vector<int>& buttons = CMenuTable::ToolbarButtons();
    std::vector<std::vector<int>> groups(1);
    for (int command : buttons) {
        if (command == 0) {
            groups.emplace_back();
        } else {
            groups.back().push_back(command);
        }
    }
    ASSERT_EQ(groups.size(), 10u);
    EXPECT_EQ(groups[0], (std::vector<int>{cmd::FileNew, cmd::FileOpen, cmd::FileSave, cmd::FilePrint}));
    EXPECT_EQ(groups[3], (std::vector<int>{cmd::DeviceStart, cmd::DeviceStop}));
    EXPECT_EQ(groups[9], (std::vector<int>{cmd::WindowNew, cmd::WindowCascade, cmd::WindowTileVertical,
                                             cmd::WindowTileHorizontal}));
}
