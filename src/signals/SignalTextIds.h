#pragma once
// Named string ids of the signal panel.
constexpr int IDS_SIGNAL_NAME = 49000;
constexpr int IDS_BUS_SIGNAL_NAME = 49001;
constexpr int IDS_PAGE_LOGICAL_OPERATION = 64600;
constexpr int IDS_SIGNAL_NAME_REFUSED = 64650;
constexpr int IDS_MENU_BUS = 132987;
constexpr int IDS_MENU_NON_BUS = 132988;
constexpr int IDS_MENU_TREE_PROPERTIES = 311776;
constexpr int IDS_SIGNAL_PROPS_CAPTION = 3230000;
constexpr int IDS_SIGNAL_PROPS_TEXT = 3230001;
constexpr int IDS_SIGNAL_PROPS_UP = 3230002;
constexpr int IDS_SIGNAL_PROPS_DOWN = 3230003;
constexpr int IDS_SIGNAL_PROPS_OK = 3230004;
constexpr int IDS_SIGNAL_PROPS_CANCEL = 3230005;
