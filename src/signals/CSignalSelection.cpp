#include "signals/CSignalSelection.h"

#include <algorithm>

namespace {
int IndexOf(const CSignalSelection::Items& visible, TreeHandle item) {
    const auto found = std::find(visible.begin(), visible.end(), item);
    return found == visible.end() ? -1 : static_cast<int>(found - visible.begin());
}
}  // namespace

void CSignalSelection::Click(const Items& visible, TreeHandle item, bool ctrl, bool shift) {
    const int clicked = IndexOf(visible, item);
    if (clicked < 0) {
        return;
    }
    if (ctrl) {
        if (!m_selected.erase(item)) {
            m_selected.insert(item);
        }
        m_focused = item;
        return;
    }
    const int from = shift ? IndexOf(visible, m_focused) : -1;
    m_selected.clear();
    if (from < 0) {
        SelectOnly(item);
        return;
    }
    for (int i = std::min(from, clicked); i <= std::max(from, clicked); ++i) {
        m_selected.insert(visible[static_cast<std::size_t>(i)]);
    }
    m_focused = item;
}

bool CSignalSelection::MoveFocus(const Items& visible, int step, bool shift) {
    if (visible.empty()) {
        return false;
    }
    const int current = IndexOf(visible, m_focused);
    const int last = static_cast<int>(visible.size()) - 1;
    const int next = current < 0 ? 0 : std::clamp(current + step, 0, last);
    if (current >= 0 && next == current) {
        return false;
    }
    const TreeHandle item = visible[static_cast<std::size_t>(next)];
    if (shift && current >= 0) {
        m_selected.insert(m_focused);
        m_selected.insert(item);
        m_focused = item;
    } else {
        SelectOnly(item);
    }
    return true;
}

void CSignalSelection::SelectOnly(TreeHandle item) {
    m_selected.clear();
    if (item != 0) {
        m_selected.insert(item);
    }
    m_focused = item;
}

void CSignalSelection::Clear() {
    m_selected.clear();
    m_focused = 0;
}

void CSignalSelection::Assign(const Items& selected, TreeHandle focused) {
    m_selected = std::unordered_set<TreeHandle>(selected.begin(), selected.end());
    m_focused = focused;
}

CSignalSelection::Items CSignalSelection::Selected(const Items& visible) const {
    Items selected;
    for (TreeHandle item : visible) {
        if (m_selected.contains(item)) {
            selected.push_back(item);
        }
    }
    return selected;
}
