#pragma once

// Command ids of the menus, the toolbar and the accelerators. The numbers are
// fixed: the string with the same id holds the command's status bar prompt.
namespace cmd {
// File
constexpr int FileNew = 32855;
constexpr int FileOpen = 32856;
constexpr int FileClose = 32857;
constexpr int FileSave = 32858;
constexpr int FileSaveAs = 32859;
constexpr int FileSaveCondition = 32901;
constexpr int FileOpenCondition = 32902;
constexpr int FileOpenDataPattern = 32905;
constexpr int FileSaveDataPattern = 32906;
constexpr int FilePrint = 57607;
constexpr int FilePrintDirect = 57608;
constexpr int FilePrintPreview = 57609;
constexpr int FilePrintSetup = 57606;
constexpr int RecentFileFirst = 32917;            // .. 32924
constexpr int RecentConditionFileFirst = 32926;   // .. 32933
constexpr int RecentDataPatternFileFirst = 32935; // .. 32942
constexpr int RecentFileCount = 8;
constexpr int AppExit = 57665;
// The framework's own save commands; always refused.
constexpr int FrameworkSave = 57603;
constexpr int FrameworkSaveAs = 57604;

// Edit
constexpr int EditUndo = 57643;
constexpr int EditRedo = 57644;
constexpr int EditCut = 57635;
constexpr int EditCopy = 57634;
constexpr int EditPaste = 57637;
constexpr int EditSelectAll = 57642;
constexpr int EditSwap = 32833;
constexpr int JumpFirstClock = 32834;
constexpr int JumpLastClock = 32835;
constexpr int JumpPageBackward = 32840;
constexpr int JumpPageForward = 32841;
constexpr int JumpToClock = 32842;
constexpr int ExpandToStart = 32845;
constexpr int ExpandToEnd = 32846;
constexpr int ExpandPageForward = 32847;
constexpr int ExpandPageBackward = 32848;
constexpr int ModeInsert = 32787;
constexpr int ModeOverwrite = 32788;
constexpr int EditDisabled = 32790;
constexpr int MouseSelect = 32869;
constexpr int MouseInvertBit = 32870;
constexpr int MouseShiftBit = 32872;

// Device
constexpr int DeviceStart = 32852;
constexpr int DeviceStop = 32853;

// View
constexpr int ZoomIn = 32805;
constexpr int ZoomOut = 32806;
constexpr int ZoomDefault = 32807;
constexpr int ZoomAny = 32808;
constexpr int CursorA = 32809;
constexpr int CursorB = 32810;
constexpr int UnitClock = 32811;
constexpr int UnitTime = 32812;
constexpr int ViewToolbar = 59392;
constexpr int ViewStatusBar = 59393;
constexpr int ViewDockWindow = 32803;
constexpr int SignalNameProperties = 32776;
constexpr int LanguageJapanese = 32985;
constexpr int LanguageEnglish = 32986;

// Search and bookmarks
constexpr int Search = 32944;
constexpr int SearchNext = 32945;
constexpr int SearchPrevious = 32946;
constexpr int BookmarkToggle = 32949;
constexpr int BookmarkNext = 32950;
constexpr int BookmarkPrevious = 32951;
constexpr int BookmarkClear = 32952;
constexpr int BookmarkList = 32953;
constexpr int Compare = 32954;

// Patterns and analysis
constexpr int PatternClock = 32909;
constexpr int PatternContinuous = 32911;
constexpr int PatternOffset = 32912;
constexpr int LogicAnd = 32961;
constexpr int LogicOr = 32962;
constexpr int LogicXor = 32963;
constexpr int LogicNot = 32964;
constexpr int PulseRise = 32983;
constexpr int PulseFall = 32984;
constexpr int Frequency = 32966;

// Settings
constexpr int SamplingMemoryOption = 32967;

// Window
constexpr int WindowNew = 57648;
constexpr int WindowCascade = 57650;
constexpr int WindowTileHorizontal = 57651;
constexpr int WindowTileVertical = 57652;
constexpr int WindowClose = 32969;
constexpr int WindowCloseAll = 32970;
constexpr int NextPane = 57680;
constexpr int PreviousPane = 57681;

// Help
constexpr int AppAbout = 57664;

// The string id of a command's menu text.
constexpr int MenuTextBase = 100000;
constexpr int MenuTextId(int command) { return MenuTextBase + command; }
}  // namespace cmd
