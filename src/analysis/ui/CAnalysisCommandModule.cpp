#include "analysis/ui/CAnalysisCommandModule.h"

#include <QComboBox>
#include <algorithm>

#include "analysis/CAnalysisCommands.h"
#include "analysis/ui/CAnalysisResults.h"
#include "document/CChannelTable.h"
#include "document/CWindowRecords.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"
#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "document/IUserMessages.h"
#include "resources/CommandIds.h"
#include "signals/ui/CChannelTreeView.h"
#include "signals/ui/CWorkSpaceView.h"

namespace {

struct FRAME_PARTS {
    IDocumentWindow* frame = nullptr;
    CNivaraView* view = nullptr;
    CAnalysisResults* results = nullptr;
    const CChannelTable* table = nullptr;
};

// The active window with its graph, its results and the bound table; an
// empty frame when any is missing (the command then does nothing).
FRAME_PARTS ActiveParts(ICommandHost& main) {
    FRAME_PARTS parts;
    IDocumentWindow* frame = main.ActiveWindow();
    if (frame == nullptr || frame->View() == nullptr || frame->WorkSpace() == nullptr) {
        return parts;
    }
    CAnalysisResults* results = CAnalysisResults::Of(*frame->View());
    const CChannelTable* table = frame->View()->Model().Table();
    if (results == nullptr || table == nullptr) {
        return parts;
    }
    return {frame, frame->View(), results, table};
}

ANALYSIS_SELECTION SelectionOf(const CNivaraView& view) {
    const GRAPH_CELL anchor = view.Model().Anchor();
    const GRAPH_CELL current = view.Model().Current();
    return {anchor.clock, anchor.row, current.clock, current.row};
}

// After a result: the current row becomes the anchor row, the caret follows.
void KeepAnchorRow(CNivaraView& view) {
    const GRAPH_CELL anchor = view.Model().Anchor();
    const GRAPH_CELL current = view.Model().Current();
    view.SetSelection(anchor.clock, anchor.row, current.clock, anchor.row);
}

void Finish(ICommandHost& main, const FRAME_PARTS& parts, ANALYSIS_OUTCOME outcome) {
    if (outcome == ANALYSIS_OUTCOME::ImproperArgument) {
        main.Messages().ShowMessage(LoadText(IDS_IMPROPER_ARGUMENT), MessageIcon::Error);
        return;
    }
    if (outcome == ANALYSIS_OUTCOME::Done) {
        KeepAnchorRow(*parts.view);
    }
    parts.results->Repaint();
}

void RunLogic(ICommandHost& main, LOGIC_OPERATION operation) {
    const FRAME_PARTS parts = ActiveParts(main);
    if (parts.frame == nullptr) {
        return;
    }
    parts.results->ShowPage(RESULT_PAGE::LogicalOperation);
    const CAnalysisCommands commands(parts.view->Model().Document(), *parts.table);
    const std::vector<std::size_t> rows =
        CAnalysisCommandModule::SelectedChannels(*parts.frame->Tree(), *parts.table);
    Finish(main, parts, commands.Logic(operation, rows, parts.results->Pages()));
}

void RunPulseCount(ICommandHost& main, EDGE_KIND kind) {
    const FRAME_PARTS parts = ActiveParts(main);
    if (parts.frame == nullptr) {
        return;
    }
    parts.results->ShowPage(RESULT_PAGE::PulseCount);
    const CAnalysisCommands commands(parts.view->Model().Document(), *parts.table);
    Finish(main, parts, commands.PulseCount(kind, SelectionOf(*parts.view), parts.results->Pages()));
}

void RunFrequency(ICommandHost& main) {
    const FRAME_PARTS parts = ActiveParts(main);
    if (parts.frame == nullptr) {
        return;
    }
    parts.results->ShowPage(RESULT_PAGE::Frequency);
    const CAnalysisCommands commands(parts.view->Model().Document(), *parts.table);
    Finish(main, parts, commands.Frequency(SelectionOf(*parts.view), parts.results->Pages()));
}

void RunCompare(ICommandHost& main) {
    const FRAME_PARTS parts = ActiveParts(main);
    if (parts.frame == nullptr) {
        return;
    }
    const CAnalysisCommands commands(parts.view->Model().Document(), *parts.table);
    const ANALYSIS_OUTCOME outcome = commands.Compare(SelectionOf(*parts.view), parts.frame->Records().ComparePositions);
    if (outcome == ANALYSIS_OUTCOME::ImproperArgument) {
        main.Messages().ShowMessage(LoadText(IDS_IMPROPER_ARGUMENT), MessageIcon::Error);
        return;
    }
    if (outcome == ANALYSIS_OUTCOME::Done) {
        parts.view->SetSelection(0, 0, 0, 0);
    }
    parts.view->Invalidate(GRAPH_PART_PAGE);
}

}  // namespace

CAnalysisCommandModule::CAnalysisCommandModule(ICommandHost& host) : m_host(host) {}

void CAnalysisCommandModule::Register(ICommandRegistry& registry) {
    ICommandHost& main = m_host;
    const auto add = [&registry](int command, ICommandRegistry::HANDLER handler) {
        registry.AddCommand(command, std::move(handler));
    };
    add(cmd::LogicAnd, [&main] { RunLogic(main, LOGIC_OPERATION::And); });
    add(cmd::LogicOr, [&main] { RunLogic(main, LOGIC_OPERATION::Or); });
    add(cmd::LogicXor, [&main] { RunLogic(main, LOGIC_OPERATION::Xor); });
    add(cmd::LogicNot, [&main] { RunLogic(main, LOGIC_OPERATION::Not); });
    add(cmd::PulseRise, [&main] { RunPulseCount(main, EDGE_KIND::Rising); });
    add(cmd::PulseFall, [&main] { RunPulseCount(main, EDGE_KIND::Falling); });
    add(cmd::Frequency, [&main] { RunFrequency(main); });
    add(cmd::Compare, [&main] { RunCompare(main); });
}

void CAnalysisCommandModule::FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const {
    if (active != nullptr) {
        context.SelectedChannels = CountSelectedChannels(*active);
    }
}

void CAnalysisCommandModule::OnWindowCreated(IDocumentWindow& frame) {
    if (frame.View() != nullptr) {
        QComboBox* pages = frame.WorkSpace() != nullptr ? frame.WorkSpace()->PageList() : nullptr;
        (void)CAnalysisResults::Attach(*frame.View(), frame.Records(), pages);
    }
    if (frame.Tree() != nullptr) {
        ICommandHost& main = m_host;
        QObject::connect(frame.Tree(), &QTreeWidget::itemSelectionChanged, frame.Window(),
                         [&main] { main.UpdateCommandUI(); });
    }
}

std::vector<std::size_t> CAnalysisCommandModule::SelectedChannels(const CChannelTreeView& tree,
                                                                  [[maybe_unused]] const CChannelTable& table) {
    // The tree works on the table of the current direction, the one the graph shows.
    return tree.GetSelectedChannels();
}

int CAnalysisCommandModule::CountSelectedChannels(const IDocumentWindow& frame) {
    const CChannelTable* table = frame.View() != nullptr ? frame.View()->Model().Table() : nullptr;
    return table != nullptr && frame.Tree() != nullptr ? static_cast<int>(SelectedChannels(*frame.Tree(), *table).size())
                                                       : 0;
}
