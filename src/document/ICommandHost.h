#pragma once
#include <string>

class IDocumentWindow;
class IFileChooser;
class IRecentFiles;
class IUserMessages;
class QWidget;

// What the main window offers the command modules.
class ICommandHost {
public:
    virtual ~ICommandHost() = default;
    // The main window: the parent of the dialogs a command opens.
    [[nodiscard]] virtual QWidget* MainWindow() = 0;
    // Message boxes and file dialogs (or what a test installed instead).
    [[nodiscard]] virtual IUserMessages& Messages() = 0;
    [[nodiscard]] virtual IFileChooser& FileChooser() = 0;
    // The active document window; nullptr while none is open.
    [[nodiscard]] virtual IDocumentWindow* ActiveWindow() = 0;
    // The active document window, after creating the document and its first
    // window as New does when none is open; nullptr when that fails.
    [[nodiscard]] virtual IDocumentWindow* ActiveOrNewWindow() = 0;
    // Shows the active document's condition in the condition pane again.
    virtual void RefreshGrid() = 0;
    // Enables, checks and marks every command again from the current state.
    virtual void UpdateCommandUI() = 0;
    // Status bar panes 1 (editing disabled) and 2 (insert or overwrite).
    virtual void ShowEditStatus(bool editDisabled, bool insertMode) = 0;
    // The status bar's message area; an empty text clears it.
    virtual void ShowStatusMessage(const std::string& text) = 0;
    // The recent-file lists the file commands add to (nullptr: none kept).
    [[nodiscard]] virtual IRecentFiles* RecentFiles() { return nullptr; }
    // "Settings"/"PreviewPages" as read at start-up: how many pages the print
    // preview shows side by side (0 and 1: one).
    [[nodiscard]] virtual int PreviewPages() { return 0; }
};
