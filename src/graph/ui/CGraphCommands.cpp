#include "graph/ui/CGraphCommands.h"

#include "document/CLogicDocument.h"
#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "graph/ui/CGraphEditCommands.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CommandIds.h"

namespace {

// The graph of the active window while it is the active view.
CNivaraView* ActiveGraph(ICommandHost& host) {
    IDocumentWindow* window = host.ActiveWindow();
    return window != nullptr && window->GraphIsActiveView() ? window->View() : nullptr;
}

}  // namespace

CGraphCommands::CGraphCommands(ICommandHost& host) : m_host(host) {}

void CGraphCommands::Add(ICommandRegistry& registry, int command, void (*action)(CNivaraView&)) {
    registry.AddCommand(command, [this, action] {
        if (CNivaraView* view = ActiveGraph(m_host)) {
            action(*view);
        }
    });
}

void CGraphCommands::Register(ICommandRegistry& registry) {
    CGraphEditCommands::Register(
        [this, &registry](int command, std::function<void(CNivaraView&)> action) {
            registry.AddCommand(command, [this, action = std::move(action)] {
                if (CNivaraView* view = ActiveGraph(m_host)) {
                    action(*view);
                }
            });
        },
        m_host.Messages(), m_host.MainWindow());
    Add(registry, cmd::ZoomIn, [](CNivaraView& view) { view.ZoomIn(); });
    Add(registry, cmd::ZoomOut, [](CNivaraView& view) { view.ZoomOut(); });
    Add(registry, cmd::ZoomDefault, [](CNivaraView& view) { view.DefaultScale(); });
    Add(registry, cmd::CursorA, [](CNivaraView& view) { view.ToggleCursorA(); });
    Add(registry, cmd::CursorB, [](CNivaraView& view) { view.ToggleCursorB(); });
    Add(registry, cmd::UnitClock, [](CNivaraView& view) { view.SetGraphUnit(0); });
    Add(registry, cmd::UnitTime, [](CNivaraView& view) { view.SetGraphUnit(1); });
    Add(registry, cmd::MouseSelect, [](CNivaraView& view) { view.SetMouseMode(MOUSE_MODE_SELECT); });
    Add(registry, cmd::MouseInvertBit, [](CNivaraView& view) { view.SetMouseMode(MOUSE_MODE_INVERT_BIT); });
    Add(registry, cmd::MouseShiftBit, [](CNivaraView& view) { view.SetMouseMode(MOUSE_MODE_SHIFT_BIT); });
    registry.AddCommand(cmd::ModeInsert, [this] {
        if (CNivaraView* view = ActiveGraph(m_host)) SetInsertMode(*view, true);
    });
    registry.AddCommand(cmd::ModeOverwrite, [this] {
        if (CNivaraView* view = ActiveGraph(m_host)) SetInsertMode(*view, false);
    });
    registry.AddCommand(cmd::EditDisabled, [this] {
        if (CNivaraView* view = ActiveGraph(m_host)) ToggleEditDisabled(*view);
    });
}

void CGraphCommands::SetInsertMode(CNivaraView& view, bool insert) {
    view.SetInsertMode(insert);
    m_host.ShowEditStatus(view.Model().Document().Condition().ReadOnly != 0, insert);
}

void CGraphCommands::ToggleEditDisabled(CNivaraView& view) {
    CLogicDocument& document = view.Model().Document();
    document.Condition().ReadOnly = document.Condition().ReadOnly != 0 ? 0 : 1;
    view.SetEditDisabled(document.Condition().ReadOnly != 0);
    document.NotifyViews();
    m_host.ShowEditStatus(document.Condition().ReadOnly != 0, view.InsertMode());
}

void CGraphCommands::FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const {
    if (active == nullptr || active->View() == nullptr) {
        return;
    }
    const CNivaraView& view = *active->View();
    context.SelectionSpansRows = view.SelectionSpansRows();
    context.GraphActive = active->GraphIsActiveView();
    context.CursorAShown = view.IsCursorShown(0);
    context.CursorBShown = view.IsCursorShown(1);
    context.GraphUnit = view.GraphUnit();
    context.MouseMode = view.MouseMode();
    context.InsertMode = view.InsertMode();
    const CGraphEditCommands::ENABLEMENT edit = CGraphEditCommands::Enablement(view);
    context.CanCopy = edit.CanCopy;
    context.CanCut = edit.CanCut;
    context.CanPaste = edit.CanPaste;
    context.CanUndo = edit.CanUndo;
    context.CanRedo = edit.CanRedo;
}
