#pragma once
#include <QObject>
#include <functional>

#include "analysis/CBookmarkCommands.h"
#include "document/ICommandModule.h"

class CBookmarkDlg;
class ICommandHost;
class IDocumentWindow;

// Toggle Bookmark (Ctrl+F2), Next Bookmark (F2), Previous Bookmark
// (Shift+F2), Clear Bookmarks and Bookmark List on the active window's
// graph. Owns the modeless bookmark list (created hidden with the main
// window). The list's copy always comes from the active window: it is taken
// again after every command that changes the list, when the list is
// replaced under the window and when another window becomes the active one,
// so that OK writes back what the dialog shows into the window it came from.
class CBookmarkCommandModule final : public QObject, public ICommandModule {
    Q_OBJECT
public:
    explicit CBookmarkCommandModule(ICommandHost& host);

    void Register(ICommandRegistry& registry) override;
    // Whether the current direction's list has bookmarks.
    void FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const override;
    // The dialog shows the list of the window that is now active.
    void OnWindowActivated(IDocumentWindow* active) override;
    // A file was read or the direction changed: the markers are rebuilt from
    // the current list and the dialog shows that list.
    void OnRecordsReplaced(IDocumentWindow& window) override;

    [[nodiscard]] CBookmarkDlg& Dialog() const { return *m_dialog; }

private:
    enum class COPY { Keep, Refresh };

    // Runs a command on the active window's graph, then takes the copy again
    // when the command changed the list.
    void OnActive(const std::function<void(CBookmarkCommands&)>& command, COPY copy);
    void OnBookmarkList();
    // WM_BOOKMARK_LIST_OK: the copy replaces the list of the window it came from.
    void OnListAccepted();
    void RefreshCopy(IDocumentWindow* window);
    // The window's markers from its list of the current direction.
    static void RebuildMarkers(IDocumentWindow& window);
    // The active window when the dialog's copy came from it; else nullptr.
    [[nodiscard]] IDocumentWindow* SourceWindow() const;

    ICommandHost& m_host;
    CBookmarkDlg* m_dialog;
    // The window the dialog's copy came from (nullptr: an empty copy).
    IDocumentWindow* m_source = nullptr;
};
