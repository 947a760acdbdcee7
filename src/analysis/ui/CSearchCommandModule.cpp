#include "analysis/ui/CSearchCommandModule.h"

#include "analysis/SEARCH_PAGE.h"
#include "analysis/ui/CAnalysisResults.h"
#include "analysis/ui/CSearchDlg.h"
#include "document/CLogicDocument.h"
#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CommandIds.h"
#include "signals/ui/CChannelListView.h"
#include "signals/ui/CChannelTreeView.h"

namespace {

bool SearchAllValid(const CLogicDocument& document) {
    return document.Condition().Direction == DIRECTION_SAMPLING && document.Condition().AutoSave == 1;
}

void SelectRowInPanes(IDocumentWindow& frame, int row) {
    if (frame.Tree() != nullptr) {
        frame.Tree()->SelectRow(row);
    }
    if (frame.List() != nullptr) {
        frame.List()->SelectRow(row);
    }
}

}  // namespace

CSearchCommandModule::CSearchCommandModule(ICommandHost& host)
    : m_host(host), m_dialog(new CSearchDlg(host.MainWindow())) {
    connect(m_dialog, &CSearchDlg::SearchRequested, this, [this] { RunRequest(m_dialog->RequestedDirection()); });
}

void CSearchCommandModule::Register(ICommandRegistry& registry) {
    registry.AddCommand(cmd::Search, [this] { OnSearch(); });
    registry.AddCommand(cmd::SearchNext, [this] {
        m_direction = static_cast<int>(SEARCH_DIRECTION::Forward);
        RunRequest(SEARCH_DIRECTION::Forward);
    });
    registry.AddCommand(cmd::SearchPrevious, [this] {
        m_direction = static_cast<int>(SEARCH_DIRECTION::Backward);
        RunRequest(SEARCH_DIRECTION::Backward);
    });
}

void CSearchCommandModule::FillContext(COMMAND_CONTEXT& context, IDocumentWindow*) const {
    context.SearchMade = m_searchMade;
}

void CSearchCommandModule::OnSearch() {
    IDocumentWindow* frame = m_host.ActiveWindow();
    if (frame == nullptr || frame->View() == nullptr) {
        return;
    }
    m_direction = 0;
    CNivaraView& view = *frame->View();
    m_dialog->Open(view.Model(), SearchAllValid(view.Model().Document()), *m_host.MainWindow());
    SelectRowInPanes(*frame, view.Model().Current().row);
    view.RefreshView();
}

void CSearchCommandModule::RunRequest(SEARCH_DIRECTION direction) {
    IDocumentWindow* frame = m_host.ActiveWindow();
    if (frame == nullptr || frame->View() == nullptr) {
        return;
    }
    m_direction = static_cast<int>(direction);
    CNivaraView& view = *frame->View();
    CLogicDocument& document = view.Model().Document();
    const SEARCH_REQUEST request = m_dialog->Fields().Request();
    document.SearchRequest = request;
    const bool searchAll = m_dialog->SearchAllChecked() && SearchAllValid(document);
    CSearchCommand command(view.Model(), view.BlockReader(), m_host.Messages());
    const SEARCH_OUTCOME outcome = command.Run(request, direction, searchAll);
    if (outcome == SEARCH_OUTCOME::Nothing) {
        return;
    }
    m_searchMade = true;
    if (CAnalysisResults* results = CAnalysisResults::Of(view)) {
        const bool vertical = request.Type == SEARCH_TYPE::Vertical;
        results->ShowSearchRequest(SEARCH_PAGE{static_cast<int>(request.Type), request.StartChannel,
                                               static_cast<int>(request.Radix), request.TextLength,
                                               vertical ? request.ChannelCount : request.BitCount, request.Value});
    }
    if (outcome == SEARCH_OUTCOME::Hit) {
        SelectRowInPanes(*frame, static_cast<int>(command.SearchedRow()));
    }
    view.RefreshView();
    m_host.UpdateCommandUI();
}
