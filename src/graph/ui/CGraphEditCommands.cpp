#include "graph/ui/CGraphEditCommands.h"

#include "graph/ui/CJumpDlg.h"
#include "graph/ui/CNivaraView.h"
#include "graph/ui/CScaleDlg.h"
#include "resources/CommandIds.h"

void CGraphEditCommands::Register(const ADD_GRAPH_HANDLER& add, IUserMessages& messages, QWidget* parent) {
    add(cmd::EditUndo, [](CNivaraView& v) { v.AfterEdit(v.Editor().Undo()); });
    add(cmd::EditRedo, [](CNivaraView& v) { v.AfterEdit(v.Editor().Redo()); });
    add(cmd::EditCut, [](CNivaraView& v) { v.AfterEdit(v.Editor().Cut()); });
    add(cmd::EditCopy, [](CNivaraView& v) { v.AfterEdit(v.Editor().Copy()); });
    add(cmd::EditPaste, [](CNivaraView& v) { v.AfterEdit(v.Editor().Paste()); });
    add(cmd::EditSelectAll, [](CNivaraView& v) { v.SelectAll(); });
    add(cmd::JumpFirstClock, [](CNivaraView& v) { v.JumpToFirstClock(); });
    add(cmd::JumpLastClock, [](CNivaraView& v) { v.JumpToLastClock(); });
    add(cmd::JumpPageForward, [](CNivaraView& v) { v.JumpPageForward(); });
    add(cmd::JumpPageBackward, [](CNivaraView& v) { v.JumpPageBackward(); });
    add(cmd::ExpandToStart, [](CNivaraView& v) { v.ExpandSelectionToStart(); });
    add(cmd::ExpandToEnd, [](CNivaraView& v) { v.ExpandSelectionToEnd(); });
    add(cmd::ExpandPageForward, [](CNivaraView& v) { v.ExpandSelectionPageForward(); });
    add(cmd::ExpandPageBackward, [](CNivaraView& v) { v.ExpandSelectionPageBackward(); });
    add(cmd::JumpToClock, [&messages, parent](CNivaraView& v) { JumpToSpecifiedClock(v, messages, parent); });
    add(cmd::ZoomAny, [&messages, parent](CNivaraView& v) { AnyScale(v, messages, parent); });
}

CGraphEditCommands::ENABLEMENT CGraphEditCommands::Enablement(const CNivaraView& view) {
    const CGraphEditor& editor = view.Editor();
    ENABLEMENT e;
    e.CanCopy = !view.Model().ShownRows().empty();
    e.CanCut = editor.CanEdit();
    e.CanPaste = editor.CanEdit() && editor.CanPaste();
    e.CanUndo = editor.CanUndo();
    e.CanRedo = editor.CanRedo();
    return e;
}

void CGraphEditCommands::JumpToSpecifiedClock(CNivaraView& view, IUserMessages& messages, QWidget* parent) {
    CJumpDlg dialog(messages, parent);
    if (dialog.exec() == QDialog::Accepted) {
        view.JumpToClock(dialog.Destination());
    }
}

void CGraphEditCommands::AnyScale(CNivaraView& view, IUserMessages& messages, QWidget* parent) {
    CScaleDlg dialog(view.Zoom(), messages, parent);
    if (dialog.exec() == QDialog::Accepted) {
        view.SetZoom(dialog.Percent() / 100.0);
    }
}
