#include "signals/CSignalTree.h"

#include <algorithm>
#include <bit>

#include "resources/CStringTable.h"
#include "resources/StringIds.h"
#include "signals/CSignalNames.h"
#include "signals/ISignalTreeHost.h"

namespace {

// A device channel names a bit only inside 0..31: a bus number or a value
// read from a file never becomes a shift count.
bool IsBitChannel(int channel) { return channel >= 0 && channel <= 31; }

uint32_t ChannelBit(int channel) { return IsBitChannel(channel) ? (uint32_t{1} << channel) : 0U; }

std::string SignalLabel(const LOGIC_DATA& row) { return std::to_string(row.DeviceChannel) + ": " + row.ChannelName; }

int IndexOfItem(const std::vector<LOGIC_DATA>& rows, TreeHandle item) {
    if (item == 0) {
        return -1;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].TreeItem == item) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

// ---------------------------------------------------------------- structure

void CSignalTree::RebuildSignalTree() {
    m_roots.clear();
    m_selection.Clear();
    ++m_generation;
    if (CChannelTable* table = Table()) {
        InsertRows(*table);
        SettleBuses(*table);
        SortIntoTreeOrder(*table);
    }
    if (m_host != nullptr) {
        m_host->PostSignalsChanged();
    }
}

void CSignalTree::InsertRows(CChannelTable& table) {
    m_rebuilt.clear();
    // Row index -> the bus item that claimed it; a bus claims the signal rows
    // after it whose device channel is set in its mask.
    std::unordered_map<std::size_t, TreeHandle> claimed;
    for (std::size_t i = 0; i < table.Size(); ++i) {
        LOGIC_DATA& row = table.At(i);
        const TreeHandle item = m_next++;
        if (row.TreeItem != 0) {
            m_rebuilt[row.TreeItem] = item;
        }
        row.TreeItem = item;
        if (row.IsBus != 0) {
            row.ParentItem = 0;
            m_roots.push_back(SIGNAL_ITEM{item, row.ChannelName, true, true, {}});
            for (std::size_t j = i + 1; j < table.Size(); ++j) {
                const LOGIC_DATA& member = table.At(j);
                if (member.IsBus == 0 && (row.BusChannel & ChannelBit(member.DeviceChannel)) != 0) {
                    claimed[j] = item;
                }
            }
            continue;
        }
        SIGNAL_ITEM signal{item, SignalLabel(row), false, true, {}};
        const auto bus = claimed.find(i);
        if (bus != claimed.end()) {
            row.ParentItem = bus->second;
            FindItem(bus->second)->Children.push_back(std::move(signal));
        } else {
            row.ParentItem = 0;
            row.IsShown = 1;
            m_roots.push_back(std::move(signal));
        }
    }
}

void CSignalTree::SettleBuses(CChannelTable& table) {
    for (auto it = m_roots.begin(); it != m_roots.end();) {
        if (!it->IsBus) {
            ++it;
            continue;
        }
        const int busRow = RowOf(it->Handle);
        if (it->Children.empty()) {
            LOGIC_DATA& row = table.At(static_cast<std::size_t>(busRow));
            row.TreeItem = 0;
            row.IsShown = 0;
            it = m_roots.erase(it);
            continue;
        }
        table.At(static_cast<std::size_t>(busRow)).IsShown = 1;
        it->Expanded = table.At(static_cast<std::size_t>(RowOf(it->Children.front().Handle))).IsShown == 1;
        for (const SIGNAL_ITEM& child : it->Children) {
            table.At(static_cast<std::size_t>(RowOf(child.Handle))).IsShown = it->Expanded ? 1 : 0;
        }
        ++it;
    }
}

void CSignalTree::SortIntoTreeOrder(CChannelTable& table) {
    const std::vector<LOGIC_DATA>& rows = table.Items();
    std::vector<LOGIC_DATA> sorted;
    sorted.reserve(rows.size());
    std::vector<bool> taken(rows.size(), false);
    auto take = [&](TreeHandle item) {
        const int index = IndexOfItem(rows, item);
        if (index >= 0 && !taken[static_cast<std::size_t>(index)]) {
            taken[static_cast<std::size_t>(index)] = true;
            sorted.push_back(rows[static_cast<std::size_t>(index)]);
        }
    };
    for (const SIGNAL_ITEM& root : m_roots) {
        take(root.Handle);
        for (const SIGNAL_ITEM& child : root.Children) {
            take(child.Handle);
        }
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!taken[i]) {
            sorted.push_back(rows[i]);
        }
    }
    table.Assign(std::move(sorted));
}

const SIGNAL_ITEM* CSignalTree::Find(TreeHandle item) const {
    return const_cast<CSignalTree*>(this)->FindItem(item);
}

SIGNAL_ITEM* CSignalTree::FindItem(TreeHandle item) {
    for (SIGNAL_ITEM& root : m_roots) {
        if (root.Handle == item) {
            return &root;
        }
        for (SIGNAL_ITEM& child : root.Children) {
            if (child.Handle == item) {
                return &child;
            }
        }
    }
    return nullptr;
}

TreeHandle CSignalTree::ParentOf(TreeHandle item) const {
    for (const SIGNAL_ITEM& root : m_roots) {
        for (const SIGNAL_ITEM& child : root.Children) {
            if (child.Handle == item) {
                return root.Handle;
            }
        }
    }
    return 0;
}

int CSignalTree::RowOf(TreeHandle item) const {
    const CChannelTable* table = Table();
    return table == nullptr ? -1 : IndexOfItem(table->Items(), item);
}

CSignalTree::Items CSignalTree::VisibleItems() const {
    Items visible;
    for (const SIGNAL_ITEM& root : m_roots) {
        visible.push_back(root.Handle);
        if (root.Expanded) {
            for (const SIGNAL_ITEM& child : root.Children) {
                visible.push_back(child.Handle);
            }
        }
    }
    return visible;
}

int CSignalTree::VisibleIndex(TreeHandle item) const {
    const Items visible = VisibleItems();
    const auto found = std::find(visible.begin(), visible.end(), item);
    return found == visible.end() || item == 0 ? -1 : static_cast<int>(found - visible.begin());
}

TreeHandle CSignalTree::VisibleItem(int index) const {
    const Items visible = VisibleItems();
    return index >= 0 && static_cast<std::size_t>(index) < visible.size() ? visible[static_cast<std::size_t>(index)]
                                                                           : 0;
}

TreeHandle CSignalTree::Rebuilt(TreeHandle previous) const {
    const auto found = m_rebuilt.find(previous);
    return found == m_rebuilt.end() ? 0 : found->second;
}

// ---------------------------------------------------------------- selection

std::vector<std::size_t> CSignalTree::GetSelectedChannels() const {
    std::vector<std::size_t> rows;
    auto add = [&](TreeHandle item) {
        const int row = RowOf(item);
        if (row >= 0 && std::find(rows.begin(), rows.end(), static_cast<std::size_t>(row)) == rows.end()) {
            rows.push_back(static_cast<std::size_t>(row));
        }
    };
    for (TreeHandle item : SelectedItems()) {
        const SIGNAL_ITEM* found = Find(item);
        if (found != nullptr && !found->Children.empty()) {
            for (const SIGNAL_ITEM& child : found->Children) {
                add(child.Handle);
            }
        } else {
            add(item);
        }
    }
    return rows;
}

// ---------------------------------------------------------------- Bus and Non-Bus

bool CSignalTree::JoinsBus(const CChannelTable& table, int row, uint32_t mask) const {
    if (row < 0) {
        return false;
    }
    const LOGIC_DATA& data = table.At(static_cast<std::size_t>(row));
    const uint32_t bit = ChannelBit(data.DeviceChannel);
    return data.IsBus == 0 && ParentOf(data.TreeItem) == 0 && bit != 0 && (mask & bit) == 0;
}

int CSignalTree::BusesWithMembers() const {
    return static_cast<int>(std::count_if(m_roots.begin(), m_roots.end(),
                                          [](const SIGNAL_ITEM& root) { return !root.Children.empty(); }));
}

bool CSignalTree::Bus() {
    CChannelTable* table = Table();
    const Items selected = SelectedItems();
    if (table == nullptr || selected.empty()) {
        return false;
    }
    const auto isBus = [this](TreeHandle item) {
        const SIGNAL_ITEM* found = Find(item);
        return found != nullptr && !found->Children.empty();
    };
    bool changed = false;
    if (std::any_of(selected.begin(), selected.end(), isBus)) {
        const auto end = selected.begin() + std::min<std::ptrdiff_t>(MaxBusMembers, std::ssize(selected));
        const auto target = std::find_if(selected.begin(), end, isBus);
        changed = target != end ? MergeIntoBus(*table, selected, *target) : CreateBus(*table, selected);
    } else if (std::all_of(selected.begin(), selected.end(), [this](TreeHandle item) { return ParentOf(item) == 0; })) {
        changed = CreateBus(*table, selected);
    }
    if (changed) {
        RebuildSignalTree();
        FollowGraph();
    }
    return changed;
}

bool CSignalTree::CreateBus(CChannelTable& table, const Items& selected) {
    uint32_t mask = 0;
    int members = 0;
    int insertAt = -1;
    for (TreeHandle item : selected) {
        const int row = RowOf(item);
        if (members == MaxBusMembers || !JoinsBus(table, row, mask)) {
            continue;
        }
        mask |= ChannelBit(table.At(static_cast<std::size_t>(row)).DeviceChannel);
        ++members;
        if (insertAt < 0) {
            insertAt = row;
        }
    }
    if (members == 0) {
        return false;
    }
    const int number = BusesWithMembers();
    LOGIC_DATA bus;
    bus.DeviceChannel = static_cast<int16_t>(number);
    bus.ChannelName = LoadText(IDS_BUS_NAME_BASE) + std::to_string(number);
    bus.IsEnable = 1;
    bus.IsBus = 1;
    bus.BusChannel = mask;
    bus.IsShown = 1;
    table.InsertAt(static_cast<std::size_t>(insertAt), bus);
    return true;
}

bool CSignalTree::MergeIntoBus(CChannelTable& table, const Items& selected, TreeHandle bus) {
    int busRow = RowOf(bus);
    uint32_t mask = table.At(static_cast<std::size_t>(busRow)).BusChannel;
    int members = std::popcount(mask);
    bool changed = false;
    for (TreeHandle item : selected) {
        if (members >= MaxBusMembers) {
            break;
        }
        const int row = RowOf(item);
        if (!JoinsBus(table, row, mask)) {
            continue;
        }
        mask |= ChannelBit(table.At(static_cast<std::size_t>(row)).DeviceChannel);
        ++members;
        changed = true;
        if (row < busRow) {
            const LOGIC_DATA moved = table.At(static_cast<std::size_t>(row));
            table.RemoveAt(static_cast<std::size_t>(row));
            --busRow;
            table.InsertAt(static_cast<std::size_t>(busRow) + 1, moved);
        }
    }
    table.At(static_cast<std::size_t>(busRow)).BusChannel = mask;
    return changed;
}

bool CSignalTree::NonBus() {
    CChannelTable* table = Table();
    const Items selected = SelectedItems();
    if (table == nullptr || selected.size() != 1) {
        return false;
    }
    const SIGNAL_ITEM* bus = Find(selected.front());
    const int busRow = RowOf(selected.front());
    if (bus == nullptr || bus->Children.empty() || busRow < 0) {
        return false;
    }
    for (LOGIC_DATA& row : *table) {
        if (row.ParentItem == bus->Handle) {
            row.ParentItem = 0;
            row.IsShown = 1;
        }
    }
    table->RemoveAt(static_cast<std::size_t>(busRow));
    RebuildSignalTree();
    FollowGraph();
    return true;
}

void CSignalTree::FollowGraph() {
    if (m_host != nullptr) {
        m_host->SelectSignalRow(m_host->GraphCurrentRow());
        m_host->ShowValuesAtCurrentClock();
    }
}

// ---------------------------------------------------------------- rename

std::string CSignalTree::EditText(TreeHandle item) const {
    const SIGNAL_ITEM* found = Find(item);
    if (found == nullptr) {
        return {};
    }
    if (found->IsBus) {
        return found->Label;
    }
    const std::size_t colon = found->Label.find(':');
    if (colon == std::string::npos) {
        return found->Label;
    }
    return found->Label.substr(std::min(colon + 2, found->Label.size()));
}

bool CSignalTree::Rename(TreeHandle item, const std::string& name) {
    CChannelTable* table = Table();
    const int row = RowOf(item);
    if (table == nullptr || row < 0) {
        return false;
    }
    const bool accepted = CSignalNames::Accept(name, m_messages);
    if (accepted) {
        table->At(static_cast<std::size_t>(row)).ChannelName = name;
    }
    RebuildSignalTree();
    SelectRowOf(item);
    return accepted;
}

void CSignalTree::CancelRename(TreeHandle item) {
    RebuildSignalTree();
    SelectRowOf(item);
}

void CSignalTree::SelectRowOf(TreeHandle previous) {
    const int row = VisibleIndex(Rebuilt(previous));
    if (m_host != nullptr && row >= 0) {
        m_host->SelectSignalRow(row);
    }
}

// ---------------------------------------------------------------- drag and drop

CSignalTree::DropCheck CSignalTree::CheckDrop(TreeHandle source, TreeHandle target) const {
    const SIGNAL_ITEM* from = Find(source);
    if (from == nullptr || Find(target) == nullptr) {
        return DropCheck::NoItem;
    }
    if (source == target) {
        return DropCheck::OnSource;
    }
    const TreeHandle targetBus = ParentOf(target);
    if (targetBus == 0) {
        return DropCheck::Allowed;
    }
    if (static_cast<int>(Find(targetBus)->Children.size()) >= MaxBusMembers) {
        return DropCheck::FullBus;
    }
    if (from->IsBus) {
        return DropCheck::BusIntoBus;
    }
    const int row = RowOf(source);
    if (row < 0 || !IsBitChannel(Table()->At(static_cast<std::size_t>(row)).DeviceChannel)) {
        return DropCheck::NoChannel;
    }
    return DropCheck::Allowed;
}

bool CSignalTree::Drop(TreeHandle source, TreeHandle target) {
    CChannelTable* table = Table();
    if (table == nullptr || CheckDrop(source, target) != DropCheck::Allowed || RowOf(target) < 0 ||
        RowOf(source) < 0) {
        return false;
    }
    std::vector<LOGIC_DATA> rows = table->Items();
    LOGIC_DATA& moving = rows[static_cast<std::size_t>(IndexOfItem(rows, source))];
    const uint32_t bit = ChannelBit(moving.DeviceChannel);
    int emptiedBusAt = -1;
    if (const TreeHandle oldBus = ParentOf(source); oldBus != 0) {
        const int busRow = IndexOfItem(rows, oldBus);
        rows[static_cast<std::size_t>(busRow)].BusChannel &= ~bit;
        moving.ParentItem = 0;
        if (Find(oldBus)->Children.size() == 1) {
            emptiedBusAt = busRow;
            rows.erase(rows.begin() + busRow);
        }
    }
    LOGIC_DATA& source_row = rows[static_cast<std::size_t>(IndexOfItem(rows, source))];
    if (const TreeHandle newBus = ParentOf(target); newBus != 0) {
        rows[static_cast<std::size_t>(IndexOfItem(rows, newBus))].BusChannel |= bit;
        source_row.ParentItem = newBus;
        source_row.IsShown = rows[static_cast<std::size_t>(IndexOfItem(rows, target))].IsShown;
    }
    // The dragged row moves, a bus with its members.
    std::vector<LOGIC_DATA> block;
    std::vector<LOGIC_DATA> rest;
    for (const LOGIC_DATA& row : rows) {
        (row.TreeItem == source || (row.ParentItem == source && row.IsBus == 0) ? block : rest).push_back(row);
    }
    const int targetAt = IndexOfItem(rest, target);
    const int insertAt = targetAt >= 0 ? targetAt + 1 : std::clamp(emptiedBusAt, 0, static_cast<int>(rest.size()));
    rest.insert(rest.begin() + insertAt, block.begin(), block.end());
    table->Assign(std::move(rest));
    RebuildSignalTree();
    SelectRowOf(source);
    if (m_host != nullptr) {
        m_host->ShowValuesAtCurrentClock();
    }
    return true;
}

// ---------------------------------------------------------------- expand and collapse

void CSignalTree::SetExpanded(TreeHandle bus, bool expanded) {
    CChannelTable* table = Table();
    SIGNAL_ITEM* item = FindItem(bus);
    if (table == nullptr || item == nullptr || item->Children.empty()) {
        return;
    }
    item->Expanded = expanded;
    for (const SIGNAL_ITEM& child : item->Children) {
        if (const int row = RowOf(child.Handle); row >= 0) {
            table->At(static_cast<std::size_t>(row)).IsShown = expanded ? 1 : 0;
        }
    }
    if (!expanded && ParentOf(m_selection.Focused()) == bus) {
        m_selection.SelectOnly(bus);
    }
    FollowGraph();
    if (m_host != nullptr) {
        m_host->PostSignalsChanged();
    }
}
