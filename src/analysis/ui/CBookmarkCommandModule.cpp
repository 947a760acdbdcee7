#include "analysis/ui/CBookmarkCommandModule.h"

#include "analysis/ui/CBookmarkDlg.h"
#include "analysis/ui/CViewBookmarkMarkers.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CommandIds.h"

namespace {

const CBookmarkList* CurrentList(IDocumentWindow& window) {
    return window.Records().Bookmarks(window.Document().Condition().Direction);
}

}  // namespace

CBookmarkCommandModule::CBookmarkCommandModule(ICommandHost& host)
    : m_host(host), m_dialog(new CBookmarkDlg(host.MainWindow())) {
    connect(m_dialog, &CBookmarkDlg::JumpRequested, this, [this](uint64_t position) {
        // A jump leaves the list as it is: memos typed before it stay in the copy for OK.
        OnActive([position](CBookmarkCommands& commands) { commands.Jump(position); }, COPY::Keep);
    });
    connect(m_dialog, &CBookmarkDlg::ListAccepted, this, [this] { OnListAccepted(); });
}

void CBookmarkCommandModule::Register(ICommandRegistry& registry) {
    registry.AddCommand(cmd::BookmarkToggle,
                        [this] { OnActive([](CBookmarkCommands& c) { c.Toggle(); }, COPY::Refresh); });
    registry.AddCommand(cmd::BookmarkNext,
                        [this] { OnActive([](CBookmarkCommands& c) { (void)c.Next(); }, COPY::Refresh); });
    registry.AddCommand(cmd::BookmarkPrevious,
                        [this] { OnActive([](CBookmarkCommands& c) { (void)c.Previous(); }, COPY::Refresh); });
    registry.AddCommand(cmd::BookmarkClear,
                        [this] { OnActive([](CBookmarkCommands& c) { c.Clear(); }, COPY::Refresh); });
    registry.AddCommand(cmd::BookmarkList, [this] { OnBookmarkList(); });
}

void CBookmarkCommandModule::FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const {
    const CBookmarkList* list = active != nullptr ? CurrentList(*active) : nullptr;
    context.BookmarksNotEmpty = list != nullptr && !list->Empty();
}

void CBookmarkCommandModule::OnWindowActivated(IDocumentWindow* active) {
    if (active != m_source) {
        // The direction may have changed in another window of the document.
        if (active != nullptr) {
            RebuildMarkers(*active);
        }
        RefreshCopy(active);
    }
}

void CBookmarkCommandModule::RebuildMarkers(IDocumentWindow& window) {
    if (window.View() == nullptr) {
        return;
    }
    CNivaraView& view = *window.View();
    CViewBookmarkMarkers markers(view);
    CBookmarkCommands(view.Model(), markers, view.BlockReader()).RebuildMarkers();
}

void CBookmarkCommandModule::OnRecordsReplaced(IDocumentWindow& window) {
    RebuildMarkers(window);
    if (&window == m_host.ActiveWindow()) {
        RefreshCopy(&window);
    }
}

void CBookmarkCommandModule::OnActive(const std::function<void(CBookmarkCommands&)>& command, COPY copy) {
    IDocumentWindow* frame = m_host.ActiveWindow();
    if (frame == nullptr || frame->View() == nullptr) {
        return;
    }
    CNivaraView& view = *frame->View();
    CViewBookmarkMarkers markers(view);
    CBookmarkCommands commands(view.Model(), markers, view.BlockReader());
    command(commands);
    if (copy == COPY::Refresh) {
        RefreshCopy(frame);
    }
    view.RefreshView();
    m_host.UpdateCommandUI();
}

void CBookmarkCommandModule::OnBookmarkList() {
    IDocumentWindow* frame = m_host.ActiveWindow();
    if (frame == nullptr || frame->View() == nullptr) {
        return;
    }
    CGraphModel& model = frame->View()->Model();
    const CBookmarkList* list = CurrentList(*frame);
    m_source = frame;
    m_dialog->Refresh(list != nullptr ? list->Items() : std::vector<BOOKMARK_DATA>{}, model.GraphUnit());
    m_dialog->Open(model.Document().BookmarkAutoClose != 0, *m_host.MainWindow(), model.Geometry().Scale());
}

void CBookmarkCommandModule::OnListAccepted() {
    IDocumentWindow* frame = SourceWindow();
    if (frame == nullptr) {
        return;
    }
    const std::vector<BOOKMARK_DATA> copy = m_dialog->Copy();
    OnActive([&copy](CBookmarkCommands& commands) { commands.WriteBack(copy); }, COPY::Refresh);
    frame->Document().BookmarkAutoClose = m_dialog->AutoClose() ? 1 : 0;
}

void CBookmarkCommandModule::RefreshCopy(IDocumentWindow* window) {
    m_source = window;
    const CBookmarkList* list = window != nullptr ? CurrentList(*window) : nullptr;
    m_dialog->Refresh(list != nullptr ? list->Items() : std::vector<BOOKMARK_DATA>{});
}

IDocumentWindow* CBookmarkCommandModule::SourceWindow() const {
    IDocumentWindow* active = m_host.ActiveWindow();
    return active != nullptr && active == m_source ? active : nullptr;
}
