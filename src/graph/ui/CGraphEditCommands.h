#pragma once
#include <functional>

class CNivaraView;
class IUserMessages;
class QWidget;

// The graph's Edit menu: Undo, Redo, Cut, Copy, Paste, Select All, the jump
// and expand-selection commands, Jump To Specified Clock (dialog 321) and
// Any Scale (dialog 320). The main frame runs them on the graph of the
// active document window while it is the active view; their enablement
// comes from the graph's editor.
class CGraphEditCommands {
public:
    using ADD_GRAPH_HANDLER = std::function<void(int command, std::function<void(CNivaraView&)> handler)>;

    // What the editor allows now, for the enablement table.
    struct ENABLEMENT {
        bool CanCopy = false;
        bool CanCut = false;
        bool CanPaste = false;
        bool CanUndo = false;
        bool CanRedo = false;
    };

    // Registers the handlers through the frame's add function; the dialogs
    // open over `parent` and tell bad entries through `messages`.
    static void Register(const ADD_GRAPH_HANDLER& add, IUserMessages& messages, QWidget* parent);
    [[nodiscard]] static ENABLEMENT Enablement(const CNivaraView& view);

    static void JumpToSpecifiedClock(CNivaraView& view, IUserMessages& messages, QWidget* parent);
    static void AnyScale(CNivaraView& view, IUserMessages& messages, QWidget* parent);
};
