#include "shell/CToolbarPictures.h"

#include <unordered_map>

#include "resources/CommandIds.h"

const char* CToolbarPictures::OfCommand(int command) {
    static const std::unordered_map<int, const char*> pictures = {
        {cmd::FileNew, "file_new"},
        {cmd::FileOpen, "file_open"},
        {cmd::FileSave, "file_save"},
        {cmd::FilePrint, "file_print"},
        {cmd::EditCut, "edit_cut"},
        {cmd::EditCopy, "edit_copy"},
        {cmd::EditPaste, "edit_paste"},
        {cmd::EditUndo, "edit_undo"},
        {cmd::EditRedo, "edit_redo"},
        {cmd::AppAbout, "app_about"},
        {cmd::DeviceStart, "device_start"},
        {cmd::DeviceStop, "device_stop"},
        {cmd::CursorA, "cursor_a"},
        {cmd::CursorB, "cursor_b"},
        {cmd::ZoomIn, "zoom_in"},
        {cmd::ZoomOut, "zoom_out"},
        {cmd::ZoomDefault, "zoom_default"},
        {cmd::MouseSelect, "mouse_select"},
        {cmd::MouseInvertBit, "mouse_invert"},
        {cmd::MouseShiftBit, "mouse_shift"},
        {cmd::Search, "search"},
        {cmd::SearchNext, "search_next"},
        {cmd::SearchPrevious, "search_previous"},
        {cmd::BookmarkToggle, "bookmark_toggle"},
        {cmd::BookmarkNext, "bookmark_next"},
        {cmd::BookmarkPrevious, "bookmark_previous"},
        {cmd::BookmarkClear, "bookmark_clear"},
        {cmd::BookmarkList, "bookmark_list"},
        {cmd::Compare, "compare"},
        {cmd::PatternClock, "pattern_clock"},
        {cmd::PatternContinuous, "pattern_continuous"},
        {cmd::PatternOffset, "pattern_offset"},
        {cmd::LogicAnd, "logic_and"},
        {cmd::LogicOr, "logic_or"},
        {cmd::LogicXor, "logic_xor"},
        {cmd::LogicNot, "logic_not"},
        {cmd::PulseRise, "pulse_rise"},
        {cmd::PulseFall, "pulse_fall"},
        {cmd::Frequency, "frequency"},
        {cmd::WindowNew, "window_new"},
        {cmd::WindowCascade, "window_cascade"},
        {cmd::WindowTileVertical, "window_tile_vertical"},
        {cmd::WindowTileHorizontal, "window_tile_horizontal"},
    };
    const auto found = pictures.find(command);
    return found != pictures.end() ? found->second : "";
}
