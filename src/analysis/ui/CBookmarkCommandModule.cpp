#include "analysis/ui/CBookmarkCommandModule.h"

#include "analysis/ui/CBookmarkDlg.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CommandIds.h"

CBookmarkCommandModule::CBookmarkCommandModule(ICommandHost& host)
    : QObject(host.MainWindow()), m_host(host), m_dialog(new CBookmarkDlg(host.MainWindow())) {
    connect(m_dialog, &CBookmarkDlg::JumpRequested, this, [this](uint64_t position) {
        OnActive([position](CBookmarkCommands& commands) { commands.Jump(position); });
    });
    connect(m_dialog, &CBookmarkDlg::ListAccepted, this, [this] {
        const std::vector<BOOKMARK_DATA> copy = m_dialog->Copy();
        OnActive([&copy](CBookmarkCommands& commands) { commands.WriteBack(copy); });
        if (IDocumentWindow* frame = m_host.ActiveWindow()) {
            frame->View()->Model().Document().BookmarkAutoClose = m_dialog->AutoClose() ? 1 : 0;
        }
    });
}

void CBookmarkCommandModule::Register(const ADD_HANDLER& add) {
    add(cmd::BookmarkToggle, [this] { OnActive([](CBookmarkCommands& c) { c.Toggle(); }); });
    add(cmd::BookmarkNext, [this] { OnActive([](CBookmarkCommands& c) { (void)c.Next(); }); });
    add(cmd::BookmarkPrevious, [this] { OnActive([](CBookmarkCommands& c) { (void)c.Previous(); }); });
    add(cmd::BookmarkClear, [this] { OnActive([](CBookmarkCommands& c) { c.Clear(); }); });
    add(cmd::BookmarkList, [this] { OnBookmarkList(); });
}

void CBookmarkCommandModule::OnActive(const std::function<void(CBookmarkCommands&)>& command) {
    IDocumentWindow* frame = m_host.ActiveWindow();
    if (frame == nullptr || frame->View() == nullptr) {
        return;
    }
    CNivaraView& view = *frame->View();
    CViewBookmarkMarkers markers(view);
    CBookmarkCommands commands(view.Model(), markers, view.BlockReader());
    command(commands);
    RefreshCopy(*frame);
    view.RefreshView();
    m_host.UpdateCommandUI();
}

void CBookmarkCommandModule::OnBookmarkList() {
    IDocumentWindow* frame = m_host.ActiveWindow();
    if (frame == nullptr || frame->View() == nullptr) {
        return;
    }
    CNivaraView& view = *frame->View();
    const CBookmarkList* list = frame->Records().Bookmarks(view.Model().Document().Condition().Direction);
    m_dialog->Refresh(list != nullptr ? list->Items() : std::vector<BOOKMARK_DATA>{}, view.Model().GraphUnit());
    m_dialog->Open(view.Model().Document().BookmarkAutoClose != 0, *m_host.MainWindow(), view.Model().Geometry().Scale());
}

void CBookmarkCommandModule::OnListReplaced(IDocumentWindow& frame) {
    if (frame.View() == nullptr) {
        return;
    }
    CViewBookmarkMarkers markers(*frame.View());
    CBookmarkCommands(frame.View()->Model(), markers, frame.View()->BlockReader()).RebuildMarkers();
    RefreshCopy(frame);
}

void CBookmarkCommandModule::RefreshCopy(IDocumentWindow& frame) {
    const CBookmarkList* list = frame.Records().Bookmarks(frame.View()->Model().Document().Condition().Direction);
    m_dialog->Refresh(list != nullptr ? list->Items() : std::vector<BOOKMARK_DATA>{});
}
