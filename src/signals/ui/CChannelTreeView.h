#pragma once
#include <QPoint>
#include <QTreeWidget>
#include <functional>
#include <unordered_map>

#include "signals/CSignalTree.h"
#include "signals/ISignalTreeHost.h"

class CChannelTable;
class IUserMessages;
class QMenu;

// The signal tree of a document window: a thin view of CSignalTree. It
// mirrors the core's items (30 pixels tall like the graph's rows), forwards
// clicks, keys, label edits, expand and collapse and drops to the core, and
// shows popup 311 (Bus, Non-Bus, Properties...) on a right-button release.
// A drag is a small state machine of its own (idle -> dragging -> idle): the
// item under the mouse is the drop target, the cursor is the "no" cursor
// where a drop would be refused.
class CChannelTreeView : public QTreeWidget, private ISignalTreeHost {
    Q_OBJECT
public:
    static constexpr int RowHeight = 30;
    static constexpr int CommandBus = 32987;
    static constexpr int CommandNonBus = 32988;
    static constexpr int CommandProperties = 32776;

    // What the document window lends the tree.
    struct LINKS {
        std::function<CChannelTable*()> Table;  // the current direction's table
        std::function<int()> GraphCurrentRow;
        std::function<bool()> RunActive;
        IUserMessages* Messages = nullptr;
    };

    explicit CChannelTreeView(QWidget* parent = nullptr);
    ~CChannelTreeView() override;

    void SetLinks(LINKS links);
    [[nodiscard]] CSignalTree& Core() { return m_core; }

    // Rebuilds the items from the table of the current direction.
    void RebuildSignalTree();
    // Makes displayed row n the first visible item.
    void ScrollToRow(int row);
    // Makes displayed row n the selected caret item.
    void SelectRow(int row);
    [[nodiscard]] std::vector<std::size_t> GetSelectedChannels() const { return m_core.GetSelectedChannels(); }
    [[nodiscard]] int CountSelectedChannels() const { return m_core.CountSelectedChannels(); }
    // Whether the tree's commands and the signal name properties are open
    // to the user: no run is active in the window.
    [[nodiscard]] bool IsEditable() const;
    void SetEditable(bool editable) { m_editable = editable; }

    // The commands of popup 311; each does nothing while a run is active.
    void OnBus();
    void OnNonBus();
    void OnProperties();
    // The popup shown by the last right-button release (nullptr before).
    [[nodiscard]] QMenu* Popup() const { return m_popup; }
    void ShowPopup(const QPoint& globalPos);

    [[nodiscard]] QTreeWidgetItem* ItemOf(TreeHandle handle) const;
    [[nodiscard]] TreeHandle HandleOf(const QTreeWidgetItem* item) const;
    [[nodiscard]] bool Dragging() const { return m_dragging; }
    [[nodiscard]] TreeHandle DropTarget() const;

signals:
    // WM_SIGNALS_CHANGED: the graph recounts its rows (connected queued).
    void SignalsChanged();
    void SelectRowRequested(int row);
    void ScrollRowsRequested(int row);
    void ValuesRequested();
    // The caret item changed: its displayed row.
    void CaretRowChanged(int row);
    void SelectionChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // ISignalTreeHost
    void PostSignalsChanged() override;
    [[nodiscard]] int GraphCurrentRow() const override;
    void SelectSignalRow(int row) override;
    void ScrollSignalRowsTo(int row) override { emit ScrollRowsRequested(row); }
    void ShowValuesAtCurrentClock() override { emit ValuesRequested(); }

    void MirrorCore();
    QTreeWidgetItem* MakeItem(const SIGNAL_ITEM& item);
    void SyncSelection();
    void TakeControlSelection();
    void AfterCaretMove();
    void StartEdit(QTreeWidgetItem* item);
    void OnExpandedChanged(QTreeWidgetItem* item, bool expanded);
    void StartDrag();
    void TrackDrag(const QPoint& pos);
    void EndDrag(const QPoint& pos);
    void SetDropTarget(QTreeWidgetItem* item);

    CSignalTree m_core;
    LINKS m_links;
    std::unordered_map<TreeHandle, QTreeWidgetItem*> m_items;
    QMenu* m_popup = nullptr;
    bool m_editable = true;
    bool m_mirroring = false;
    unsigned m_mirrored = 0;
    // Label editing: the item's handle and the committed text.
    TreeHandle m_editing = 0;
    QString m_committed;
    bool m_hasCommit = false;
    // Mouse: the press position and item, the click that may start an edit.
    bool m_leftDown = false;
    QPoint m_pressPos;
    TreeHandle m_pressed = 0;
    bool m_pressedWasSelected = false;
    bool m_dragging = false;
    TreeHandle m_dropTarget = 0;
};
