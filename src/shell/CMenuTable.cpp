#include "shell/CMenuTable.h"

#include "resources/CommandIds.h"
#include "resources/StringIds.h"

namespace {

MENU_ENTRY Item(int command) { return MENU_ENTRY{MENU_ENTRY::Item, command, CMenuTable::TextIdOf(command), {}}; }
MENU_ENTRY Separator() { return MENU_ENTRY{MENU_ENTRY::Separator, 0, 0, {}}; }
MENU_ENTRY Popup(int textId, std::vector<MENU_ENTRY> children) {
    return MENU_ENTRY{MENU_ENTRY::Popup, 0, textId, std::move(children)};
}

MENU_ENTRY LanguagePopup() {
    return Popup(CMenuTable::PopupLanguage, {Item(cmd::LanguageJapanese), Item(cmd::LanguageEnglish)});
}

// A recent-file list shows its placeholder until the list has entries.
MENU_ENTRY RecentPopup(int textId) {
    return Popup(textId, {MENU_ENTRY{MENU_ENTRY::Item, 0, IDS_MENU_RECENT_NONE, {}}});
}

std::vector<MENU_ENTRY> BuildNoDocumentMenu() {
    return {
        Popup(CMenuTable::PopupFile, {Item(cmd::FileNew), Item(cmd::FileOpen), Item(cmd::FileClose), Separator(),
                                      Item(cmd::AppExit)}),
        Popup(CMenuTable::PopupView, {Item(cmd::ViewToolbar), Item(cmd::ViewStatusBar), Item(cmd::ViewDockWindow),
                                      Separator(), LanguagePopup()}),
        Popup(CMenuTable::PopupHelp, {Item(cmd::AppAbout)}),
    };
}

MENU_ENTRY DocumentFilePopup() {
    return Popup(CMenuTable::PopupFile,
                 {Item(cmd::FileNew), Item(cmd::FileOpen), Item(cmd::FileClose), Item(cmd::FileSave),
                  Item(cmd::FileSaveAs), Separator(), Item(cmd::FileOpenCondition), Item(cmd::FileSaveCondition),
                  Separator(), Item(cmd::FileOpenDataPattern), Item(cmd::FileSaveDataPattern), Separator(),
                  Item(cmd::FilePrint), Item(cmd::FilePrintPreview), Item(cmd::FilePrintSetup), Separator(),
                  RecentPopup(CMenuTable::PopupRecentFiles), RecentPopup(CMenuTable::PopupRecentConditionFiles),
                  RecentPopup(CMenuTable::PopupRecentDataPatternFiles), Separator(), Item(cmd::AppExit)});
}

MENU_ENTRY DocumentEditPopup() {
    return Popup(CMenuTable::PopupEdit,
                 {Item(cmd::EditUndo), Item(cmd::EditRedo), Separator(), Item(cmd::EditCut), Item(cmd::EditCopy),
                  Item(cmd::EditPaste), Item(cmd::EditSelectAll), Separator(), Item(cmd::JumpFirstClock),
                  Item(cmd::JumpLastClock), Item(cmd::JumpPageForward), Item(cmd::JumpPageBackward),
                  Item(cmd::JumpToClock), Separator(), Item(cmd::ExpandToStart), Item(cmd::ExpandToEnd),
                  Item(cmd::ExpandPageForward), Item(cmd::ExpandPageBackward), Separator(), Item(cmd::ModeInsert),
                  Item(cmd::ModeOverwrite), Item(cmd::EditDisabled), Separator(), Item(cmd::MouseSelect),
                  Item(cmd::MouseInvertBit), Item(cmd::MouseShiftBit), Separator(), Item(cmd::EditSwap)});
}

MENU_ENTRY DocumentViewPopup() {
    return Popup(CMenuTable::PopupView,
                 {Item(cmd::ViewToolbar), Item(cmd::ViewStatusBar), Item(cmd::ViewDockWindow), Separator(),
                  Item(cmd::ZoomIn), Item(cmd::ZoomOut), Item(cmd::ZoomDefault), Item(cmd::ZoomAny), Separator(),
                  Item(cmd::CursorA), Item(cmd::CursorB), Separator(), Item(cmd::UnitClock), Item(cmd::UnitTime),
                  Separator(), Item(cmd::SignalNameProperties), Separator(), LanguagePopup()});
}

std::vector<MENU_ENTRY> BuildDocumentMenu() {
    return {
        DocumentFilePopup(),
        DocumentEditPopup(),
        DocumentViewPopup(),
        Popup(CMenuTable::PopupDevice, {Item(cmd::DeviceStart), Item(cmd::DeviceStop)}),
        Popup(CMenuTable::PopupSearch,
              {Item(cmd::Search), Item(cmd::SearchNext), Item(cmd::SearchPrevious), Separator(),
               Item(cmd::BookmarkToggle), Item(cmd::BookmarkNext), Item(cmd::BookmarkPrevious),
               Item(cmd::BookmarkClear), Item(cmd::BookmarkList), Separator(), Item(cmd::Compare)}),
        Popup(CMenuTable::PopupAnalysis,
              {Item(cmd::LogicAnd), Item(cmd::LogicOr), Item(cmd::LogicXor), Item(cmd::LogicNot), Separator(),
               Item(cmd::PulseRise), Item(cmd::PulseFall), Item(cmd::Frequency)}),
        Popup(CMenuTable::PopupPattern,
              {Item(cmd::PatternClock), Item(cmd::PatternContinuous), Item(cmd::PatternOffset)}),
        Popup(CMenuTable::PopupSettings, {Item(cmd::SamplingMemoryOption)}),
        Popup(CMenuTable::PopupWindow,
              {Item(cmd::WindowNew), Item(cmd::WindowCascade), Item(cmd::WindowTileHorizontal),
               Item(cmd::WindowTileVertical), Separator(), Item(cmd::WindowClose), Item(cmd::WindowCloseAll)}),
        Popup(CMenuTable::PopupHelp, {Item(cmd::AppAbout)}),
    };
}

void CollectCommands(const std::vector<MENU_ENTRY>& entries, std::vector<int>& out) {
    for (const MENU_ENTRY& entry : entries) {
        if (entry.Type == MENU_ENTRY::Item && entry.Command != 0) {
            out.push_back(entry.Command);
        }
        CollectCommands(entry.Children, out);
    }
}

}  // namespace

std::vector<MENU_ENTRY> CMenuTable::Menu(int menuId) {
    return menuId == NoDocumentMenu ? BuildNoDocumentMenu() : BuildDocumentMenu();
}

std::vector<int> CMenuTable::CommandsOf(const std::vector<MENU_ENTRY>& menu) {
    std::vector<int> commands;
    CollectCommands(menu, commands);
    return commands;
}

const std::vector<ACCELERATOR_ENTRY>& CMenuTable::Accelerators() {
    static const std::vector<ACCELERATOR_ENTRY> table = {
        {cmd::FileNew, "Ctrl+N"},
        {cmd::FileOpen, "Ctrl+O"},
        {cmd::FileSave, "Ctrl+S"},
        {cmd::FilePrint, "Ctrl+P"},
        {cmd::EditUndo, "Ctrl+Z"},
        {cmd::EditRedo, "Ctrl+Y"},
        {cmd::EditCut, "Ctrl+X"},
        {cmd::EditCopy, "Ctrl+C"},
        {cmd::EditPaste, "Ctrl+V"},
        {cmd::EditPaste, "Shift+Ins"},
        {cmd::EditSelectAll, "Ctrl+A"},
        {cmd::JumpFirstClock, "Home"},
        {cmd::JumpLastClock, "End"},
        {cmd::JumpPageForward, "PgUp"},
        {cmd::JumpPageBackward, "PgDown"},
        {cmd::JumpToClock, "Ctrl+J"},
        {cmd::ExpandToStart, "Shift+Home"},
        {cmd::ExpandToEnd, "Shift+End"},
        {cmd::ExpandPageForward, "Shift+PgUp"},
        {cmd::ExpandPageBackward, "Shift+PgDown"},
        {cmd::ZoomIn, "Alt+Right"},
        {cmd::ZoomOut, "Alt+Left"},
        {cmd::ZoomDefault, "Alt+Home"},
        {cmd::Search, "Ctrl+F"},
        {cmd::SearchNext, "F3"},
        {cmd::SearchPrevious, "Shift+F3"},
        {cmd::BookmarkToggle, "Ctrl+F2"},
        {cmd::BookmarkNext, "F2"},
        {cmd::BookmarkPrevious, "Shift+F2"},
        {cmd::NextPane, "F6"},
        {cmd::PreviousPane, "Shift+F6"},
    };
    return table;
}

const std::vector<int>& CMenuTable::ToolbarButtons() {
    static const std::vector<int> buttons = {
        cmd::FileNew, cmd::FileOpen, cmd::FileSave, cmd::FilePrint, 0,
        cmd::EditCut, cmd::EditCopy, cmd::EditPaste, cmd::EditUndo, cmd::EditRedo, 0,
        cmd::AppAbout, 0,
        cmd::DeviceStart, cmd::DeviceStop, 0,
        cmd::CursorA, cmd::CursorB, 0,
        cmd::ZoomIn, cmd::ZoomOut, cmd::ZoomDefault, 0,
        cmd::MouseSelect, cmd::MouseInvertBit, cmd::MouseShiftBit, 0,
        cmd::Search, cmd::SearchNext, cmd::SearchPrevious, cmd::BookmarkToggle, cmd::BookmarkNext,
        cmd::BookmarkPrevious, cmd::BookmarkClear, cmd::BookmarkList, cmd::Compare, 0,
        cmd::PatternClock, cmd::PatternContinuous, cmd::PatternOffset, cmd::LogicAnd, cmd::LogicOr,
        cmd::LogicXor, cmd::LogicNot, cmd::PulseRise, cmd::PulseFall, cmd::Frequency, 0,
        cmd::WindowNew, cmd::WindowCascade, cmd::WindowTileVertical, cmd::WindowTileHorizontal,
    };
    return buttons;
}

bool CMenuTable::IsCheckable(int command) {
    switch (command) {
    case cmd::ViewToolbar: case cmd::ViewStatusBar: case cmd::ViewDockWindow:
    case cmd::LanguageJapanese: case cmd::LanguageEnglish: case cmd::EditDisabled:
    case cmd::CursorA: case cmd::CursorB: case cmd::UnitClock: case cmd::UnitTime:
    case cmd::MouseSelect: case cmd::MouseInvertBit: case cmd::MouseShiftBit:
    case cmd::ModeInsert: case cmd::ModeOverwrite:
        return true;
    default:
        return false;
    }
}
