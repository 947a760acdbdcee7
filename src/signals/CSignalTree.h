#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/CChannelTable.h"
#include "signals/CSignalSelection.h"
#include "signals/SIGNAL_ITEM.h"

class ISignalTreeHost;
class IUserMessages;

// The signal tree over the channel table of the current direction: one item
// per row, buses with their member signals as children, in table order. The
// tree's order is the graph's row order: every rebuild re-sorts the table
// into tree order and tells the host that the rows changed. The window only
// mirrors these items and forwards the user's clicks, keys, edits and drops.
//
// Rules kept beyond what the rows alone would allow:
//  - only top-level signals on device channels 0..31 join a bus, at most 8;
//  - a bus is never dropped into a bus or below its own members: it moves
//    with its members;
//  - a bus left without members is removed from the table;
//  - a bus row whose mask names no row after it stays in the table (a file
//    keeps it) but is not displayed, so graph, tree and list stay row for row;
//  - a name a pulse text file cannot hold is refused with a message.
class CSignalTree {
public:
    using TableSource = std::function<CChannelTable*()>;
    using Items = CSignalSelection::Items;
    static constexpr int MaxBusMembers = 8;

    enum class DropCheck { Allowed, NoItem, OnSource, FullBus, BusIntoBus, NoChannel };

    // The table of the current direction, nullptr for any other direction.
    void SetTableSource(TableSource source) { m_source = std::move(source); }
    void SetHost(ISignalTreeHost* host) { m_host = host; }
    void SetMessages(IUserMessages* messages) { m_messages = messages; }

    // --- structure
    void RebuildSignalTree();
    [[nodiscard]] const std::vector<SIGNAL_ITEM>& Roots() const { return m_roots; }
    [[nodiscard]] const SIGNAL_ITEM* Find(TreeHandle item) const;
    // The bus holding `item`, 0 for a top-level item.
    [[nodiscard]] TreeHandle ParentOf(TreeHandle item) const;
    // The table index of the item's row, -1 when no row has it.
    [[nodiscard]] int RowOf(TreeHandle item) const;
    // Visible items (the members of a collapsed bus are not), in display order.
    [[nodiscard]] Items VisibleItems() const;
    [[nodiscard]] int VisibleIndex(TreeHandle item) const;
    [[nodiscard]] TreeHandle VisibleItem(int index) const;
    // The item a handle of the build before the last one became.
    [[nodiscard]] TreeHandle Rebuilt(TreeHandle previous) const;
    // Counts the rebuilds, so that a window knows when to mirror the items again.
    [[nodiscard]] unsigned Generation() const { return m_generation; }

    // --- selection
    void Click(TreeHandle item, bool ctrl, bool shift) { m_selection.Click(VisibleItems(), item, ctrl, shift); }
    bool MoveFocus(int step, bool shift) { return m_selection.MoveFocus(VisibleItems(), step, shift); }
    // The n-th visible item becomes the only selected item and the caret.
    void SelectVisibleRow(int row) { m_selection.SelectOnly(VisibleItem(row)); }
    void AssignSelection(const Items& selected, TreeHandle focused) { m_selection.Assign(selected, focused); }
    [[nodiscard]] bool IsSelected(TreeHandle item) const { return m_selection.IsSelected(item); }
    [[nodiscard]] TreeHandle Focused() const { return m_selection.Focused(); }
    [[nodiscard]] Items SelectedItems() const { return m_selection.Selected(VisibleItems()); }
    // Table rows of the selection in visible order: a selected bus gives its
    // member rows instead of itself; no row is given twice.
    [[nodiscard]] std::vector<std::size_t> GetSelectedChannels() const;
    [[nodiscard]] int CountSelectedChannels() const { return static_cast<int>(GetSelectedChannels().size()); }

    // --- commands; each returns true when it changed the table
    bool Bus();
    bool NonBus();
    // The text a label edit starts with: a signal's name without "%d: ".
    [[nodiscard]] std::string EditText(TreeHandle item) const;
    bool Rename(TreeHandle item, const std::string& name);
    void CancelRename(TreeHandle item);
    [[nodiscard]] DropCheck CheckDrop(TreeHandle source, TreeHandle target) const;
    bool Drop(TreeHandle source, TreeHandle target);
    // A bus item was expanded or collapsed: its members are shown or hidden.
    void SetExpanded(TreeHandle bus, bool expanded);

private:
    [[nodiscard]] CChannelTable* Table() const { return m_source ? m_source() : nullptr; }
    SIGNAL_ITEM* FindItem(TreeHandle item);
    void InsertRows(CChannelTable& table);
    void SettleBuses(CChannelTable& table);
    void SortIntoTreeOrder(CChannelTable& table);
    [[nodiscard]] bool JoinsBus(const CChannelTable& table, int row, uint32_t mask) const;
    [[nodiscard]] int BusesWithMembers() const;
    bool CreateBus(CChannelTable& table, const Items& selected);
    bool MergeIntoBus(CChannelTable& table, const Items& selected, TreeHandle bus);
    void SelectRowOf(TreeHandle previous);
    void FollowGraph();

    TableSource m_source;
    ISignalTreeHost* m_host = nullptr;
    IUserMessages* m_messages = nullptr;
    std::vector<SIGNAL_ITEM> m_roots;
    CSignalSelection m_selection;
    std::unordered_map<TreeHandle, TreeHandle> m_rebuilt;
    TreeHandle m_next = 1;
    unsigned m_generation = 0;
};
