#pragma once
#include <unordered_set>
#include <vector>

#include "document/LOGIC_DATA.h"

// The multiple selection of the signal tree. Every call is given the visible
// items in display order (the children of a collapsed bus are not visible),
// so a hidden item never counts as selected.
//  - a plain click or a plain arrow key selects one item and clears the others;
//  - Ctrl+click toggles the clicked item and keeps the others;
//  - Shift+click selects every item from the previously focused one to the
//    clicked one;
//  - Shift with an arrow key keeps the previously focused item selected while
//    the focus moves on.
class CSignalSelection {
public:
    using Items = std::vector<TreeHandle>;

    void Click(const Items& visible, TreeHandle item, bool ctrl, bool shift);
    // Moves the focus by `step` visible items; false when it cannot move.
    bool MoveFocus(const Items& visible, int step, bool shift);
    // Makes `item` the only selected item and the focused one.
    void SelectOnly(TreeHandle item);
    void Clear();
    // Takes a selection made elsewhere (the tree control's own interface).
    void Assign(const Items& selected, TreeHandle focused);

    [[nodiscard]] bool IsSelected(TreeHandle item) const { return m_selected.contains(item); }
    [[nodiscard]] TreeHandle Focused() const { return m_focused; }
    // The selected items among the visible ones, in display order.
    [[nodiscard]] Items Selected(const Items& visible) const;

private:
    std::unordered_set<TreeHandle> m_selected;
    TreeHandle m_focused = 0;
};
