#pragma once
#include <vector>

#include "resources/CommandIds.h"

// One entry of a menu: a command, a separator or a popup with its entries.
struct MENU_ENTRY {
    enum Kind { Item, Separator, Popup };
    Kind Type = Item;
    int Command = 0;  // Item: the command id
    int TextId = 0;   // Item and Popup: the string id of the menu text
    std::vector<MENU_ENTRY> Children;
};

// One key of the accelerator table, in portable key-sequence form ("Ctrl+N").
struct ACCELERATOR_ENTRY {
    int Command = 0;
    const char* Keys = "";
};

// The menus 128 (no document) and 130 (with a document), the accelerator
// table and the toolbar's buttons. Menu texts are string table entries: an
// item's text has the id MenuTextBase + command id, popups have their own ids.
class CMenuTable {
public:
    static constexpr int MenuTextBase = cmd::MenuTextBase;
    static constexpr int NoDocumentMenu = 128;
    static constexpr int DocumentMenu = 130;

    // Popup texts.
    static constexpr int PopupFile = 130001;
    static constexpr int PopupEdit = 130002;
    static constexpr int PopupView = 130003;
    static constexpr int PopupDevice = 130004;
    static constexpr int PopupSearch = 130005;
    static constexpr int PopupAnalysis = 130006;
    static constexpr int PopupPattern = 130007;
    static constexpr int PopupSettings = 130008;
    static constexpr int PopupWindow = 130009;
    static constexpr int PopupHelp = 130010;
    static constexpr int PopupLanguage = 130011;
    static constexpr int PopupRecentFiles = 130012;
    static constexpr int PopupRecentConditionFiles = 130013;
    static constexpr int PopupRecentDataPatternFiles = 130014;
    // The placeholder of an empty recent-file list is IDS_MENU_RECENT_NONE.

    [[nodiscard]] static int TextIdOf(int command) { return cmd::MenuTextId(command); }

    // The top-level popups of menu 128 or 130.
    [[nodiscard]] static std::vector<MENU_ENTRY> Menu(int menuId);
    [[nodiscard]] static const std::vector<ACCELERATOR_ENTRY>& Accelerators();
    // Toolbar 129 in order; 0 stands for a separator.
    [[nodiscard]] static const std::vector<int>& ToolbarButtons();
    // True for the commands shown with a check mark or as a radio choice.
    [[nodiscard]] static bool IsCheckable(int command);
    // Every command id that appears in a menu, in menu order.
    [[nodiscard]] static std::vector<int> CommandsOf(const std::vector<MENU_ENTRY>& menu);
};
