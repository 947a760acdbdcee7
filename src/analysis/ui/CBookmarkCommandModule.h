#pragma once
#include <QObject>
#include <functional>
#include <optional>

#include "analysis/CBookmarkCommands.h"
#include "analysis/ui/CViewBookmarkMarkers.h"

class CBookmarkDlg;
class ICommandHost;
class IDocumentWindow;

// Toggle Bookmark (Ctrl+F2), Next Bookmark (F2), Previous Bookmark
// (Shift+F2), Clear Bookmarks and Bookmark List on the active window's
// graph. Owns the modeless bookmark list (created hidden with the main
// window) and keeps its copy fresh whenever the list changes.
class CBookmarkCommandModule : public QObject {
    Q_OBJECT
public:
    using ADD_HANDLER = std::function<void(int command, std::function<void()> handler)>;

    explicit CBookmarkCommandModule(ICommandHost& host);

    void Register(const ADD_HANDLER& add);
    [[nodiscard]] CBookmarkDlg& Dialog() const { return *m_dialog; }

    // A window read a file or changed direction: its markers are rebuilt
    // from the current list and the dialog shows that list.
    void OnListReplaced(IDocumentWindow& frame);

private:
    // Runs a command on the active window's graph, then refreshes the copy.
    void OnActive(const std::function<void(CBookmarkCommands&)>& command);
    void OnBookmarkList();
    void RefreshCopy(IDocumentWindow& frame);

    ICommandHost& m_host;
    CBookmarkDlg* m_dialog;
};
