#include "patterns/ui/CPatternCommands.h"

#include <QWidget>

#include "analysis/ui/CAnalysisResults.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "document/IUserMessages.h"
#include "graph/CEditHistory.h"
#include "graph/ui/CNivaraView.h"
#include "patterns/CChannelSwap.h"
#include "patterns/CPatternCreator.h"
#include "patterns/ui/CClockPatternDlg.h"
#include "patterns/ui/CContinuousPatternDlg.h"
#include "patterns/ui/COffsetDlg.h"
#include "patterns/ui/CSwapDlg.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "signals/ui/CChannelListView.h"
#include "signals/ui/CChannelTreeView.h"

namespace {
// The shown row of the graph at a row index, nullptr outside the rows.
const LOGIC_DATA* ShownRow(const CNivaraView& view, int row) {
    const CGraphModel& model = view.Model();
    const CChannelTable* table = model.Table();
    if (table == nullptr || row < 0 || static_cast<std::size_t>(row) >= model.ShownRows().size()) {
        return nullptr;
    }
    return &table->At(model.ShownRows()[static_cast<std::size_t>(row)]);
}

void Tell(ICommandHost& host, PATTERN_OUTCOME outcome) {
    switch (outcome) {
    case PATTERN_OUTCOME::ImproperArgument:
        host.Messages().ShowMessage(LoadText(IDS_IMPROPER_ARGUMENT), MessageIcon::Error);
        break;
    case PATTERN_OUTCOME::OutOfMemory:
        host.Messages().ShowMessage(LoadText(IDS_EDIT_NOT_RECORDED), MessageIcon::Error);
        break;
    case PATTERN_OUTCOME::Failed:
        host.Messages().ShowMessage(LoadText(IDS_SWAP_FAILED), MessageIcon::Error);
        break;
    default: break;
    }
}
}  // namespace

CPatternCommands::CPatternCommands(ICommandHost& host) : m_host(host) {}

void CPatternCommands::Register(ICommandRegistry& registry) {
    registry.AddCommand(cmd::PatternClock, [this] { OnClock(); });
    registry.AddCommand(cmd::PatternContinuous, [this] { OnContinuous(); });
    registry.AddCommand(cmd::PatternOffset, [this] { OnOffset(); });
    registry.AddCommand(cmd::EditSwap, [this] { OnSwap(); });
}

void CPatternCommands::FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const {
    (void)active;
    context.PatternCreated = m_patternCreated;
}

IDocumentWindow* CPatternCommands::EditableWindow() const {
    IDocumentWindow* window = m_host.ActiveWindow();
    if (window == nullptr || window->View() == nullptr) {
        return nullptr;
    }
    const CLogicDocument& document = window->Document();
    if (document.Condition().Direction != DIRECTION_GENERATING || document.IsRunning.load() != 0 ||
        document.Condition().ReadOnly != 0 || !window->View()->Editor().CanEdit()) {
        return nullptr;
    }
    return window;
}

int CPatternCommands::InitialChannel(IDocumentWindow& window) {
    int channel = 0;
    const CChannelTable* table = window.Records().Table(window.Document().Condition().Direction);
    if (CChannelTreeView* tree = window.Tree(); tree != nullptr && table != nullptr) {
        const std::vector<std::size_t> rows = tree->GetSelectedChannels();
        if (!rows.empty() && rows.front() < table->Size()) {
            channel = table->At(rows.front()).DeviceChannel;
        }
    }
    CNivaraView* view = window.View();
    if (view != nullptr && view->hasFocus()) {
        if (const LOGIC_DATA* row = ShownRow(*view, view->Model().Current().row)) {
            channel = row->DeviceChannel;
        }
    }
    return channel >= 0 && channel <= 31 ? channel : 0;
}

void CPatternCommands::Apply(IDocumentWindow& window, const PATTERN_PARAMETERS& parameters,
                             const PATTERN_SOURCE& source) {
    CLogicDocument& document = window.Document();
    CPatternCreator creator(document.GeneratingMemory(), CEditHistory::For(document), window.Records().DataPatterns);
    const PATTERN_OUTCOME outcome = creator.Apply(parameters, source, document.PatternParameters);
    if (outcome == PATTERN_OUTCOME::Applied) {
        m_patternCreated = true;
        if (parameters.PatternKind != CPatternCreator::KindOffset) {
            if (CAnalysisResults* results = CAnalysisResults::Of(*window.View())) {
                results->ShowPage(RESULT_PAGE::DataPattern);
            }
        }
        document.NotifyViews();
        window.View()->RefreshView();
    }
    Tell(m_host, outcome);
    m_host.UpdateCommandUI();
}

void CPatternCommands::OnClock() {
    IDocumentWindow* window = EditableWindow();
    if (window == nullptr) return;
    CClockPatternDlg dialog(InitialChannel(*window), m_host.Messages(), m_host.MainWindow());
    if (dialog.exec() == QDialog::Accepted) {
        Apply(*window, dialog.Parameters(), {});
    }
}

void CPatternCommands::OnContinuous() {
    IDocumentWindow* window = EditableWindow();
    if (window == nullptr) return;
    CNivaraView& view = *window->View();
    CGraphModel& model = view.Model();
    // The selection keeps one row, the source row: the anchor's.
    if (model.Current().row != model.Anchor().row) {
        model.SetCurrent({model.Current().clock, model.Anchor().row});
        if (CChannelTreeView* tree = window->Tree()) {
            tree->SelectRow(model.Anchor().row);
        }
        if (CChannelListView* list = window->List()) {
            list->SelectRow(model.Anchor().row);
        }
        view.RefreshView();
    }
    const GRAPH_CELL current = model.Current();
    const GRAPH_CELL anchor = model.Anchor();
    CContinuousPatternDlg dialog(InitialChannel(*window), m_host.Messages(), m_host.MainWindow());
    if (dialog.exec() != QDialog::Accepted) return;
    const LOGIC_DATA* row = ShownRow(view, std::min(current.row, anchor.row));
    if (row == nullptr) return;
    PATTERN_SOURCE source;
    source.IsBus = row->IsBus != 0;
    source.Channel = row->DeviceChannel;
    source.First = static_cast<uint32_t>(std::max(0, std::min(current.clock, anchor.clock)));
    source.Last = static_cast<uint32_t>(std::max(0, std::max(current.clock, anchor.clock)));
    Apply(*window, dialog.Parameters(), source);
}

void CPatternCommands::OnOffset() {
    IDocumentWindow* window = EditableWindow();
    if (window == nullptr) return;
    COffsetDlg dialog(InitialChannel(*window), m_host.Messages(), m_host.MainWindow());
    if (dialog.exec() == QDialog::Accepted) {
        Apply(*window, dialog.Parameters(), {});
    }
}

void CPatternCommands::OnSwap() {
    IDocumentWindow* window = EditableWindow();
    if (window == nullptr || !window->GraphIsActiveView()) return;
    CLogicDocument& document = window->Document();
    const CChannelTable* table = window->Records().Table(DIRECTION_GENERATING);
    if (table == nullptr) return;
    const std::vector<SWAP_ENTRY> list = CChannelSwap::SignalList(*table);
    CSwapDlg dialog(list, m_host.MainWindow());
    if (dialog.exec() != QDialog::Accepted) return;
    const PATTERN_OUTCOME outcome =
        CChannelSwap::Swap(document.GeneratingMemory(), CEditHistory::For(document), list, dialog.First(), dialog.Second());
    if (outcome == PATTERN_OUTCOME::Applied) {
        document.NotifyViews();
        window->View()->RefreshView();
    }
    Tell(m_host, outcome);
    m_host.UpdateCommandUI();
}
