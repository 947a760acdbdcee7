#pragma once
#include <QTreeWidget>

class CChannelTable;

// The signal tree of a document window: one item per displayed row of the
// current direction's channel table, in display order, 30 pixels tall like
// the graph's rows.
class CChannelTreeView : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int RowHeight = 30;

    explicit CChannelTreeView(QWidget* parent = nullptr);

    // Rebuilds the items from a table; nullptr empties the tree.
    void Rebuild(const CChannelTable* table);
    // Makes displayed row n the first visible item.
    void ScrollToRow(int row);
    // Makes displayed row n the selected item.
    void SelectRow(int row);
    // Whether the signal name properties may be opened from this tree.
    [[nodiscard]] bool IsEditable() const { return m_editable; }
    void SetEditable(bool editable) { m_editable = editable; }

private:
    bool m_editable = true;
};
