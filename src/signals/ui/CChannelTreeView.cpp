#include "signals/ui/CChannelTreeView.h"

#include "resources/ui/CIconLibrary.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "resources/CStringTable.h"
#include "resources/StringIds.h"
#include "signals/ui/CChannelTreePropDlg.h"

namespace {
constexpr int HandleRole = Qt::UserRole;

// Image 0 of the tree's image list: a small pulse.
// Every item shows the one picture of the tree.
QIcon SignalIcon() { return CIconLibrary::Load(CIconLibrary::TreeItem); }
}  // namespace

CChannelTreeView::CChannelTreeView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setIconSize(QSize(16, 16));
    setAttribute(Qt::WA_Hover);
    setStyleSheet(QString("QTreeView::item { height: %1px; }").arg(RowHeight));
    m_core.SetHost(this);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { OnExpandedChanged(item, true); });
    connect(this, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { OnExpandedChanged(item, false); });
    connect(this, &QTreeWidget::itemSelectionChanged, this, &CChannelTreeView::TakeControlSelection);
}

void CChannelTreeView::TakeControlSelection() {
    // A selection made through the control's own interface reaches the rules.
    if (m_mirroring) {
        return;
    }
    CSignalTree::Items selected;
    for (QTreeWidgetItem* item : selectedItems()) {
        selected.push_back(HandleOf(item));
    }
    const TreeHandle focused = currentItem() != nullptr ? HandleOf(currentItem()) : m_core.Focused();
    m_core.AssignSelection(selected, focused);
    emit SelectionChanged();
}

CChannelTreeView::~CChannelTreeView() { m_core.SetHost(nullptr); }

void CChannelTreeView::SetLinks(LINKS links) {
    m_links = std::move(links);
    m_core.SetTableSource(m_links.Table);
    m_core.SetMessages(m_links.Messages);
}

// ---------------------------------------------------------------- mirroring the core

void CChannelTreeView::RebuildSignalTree() {
    // The core's rebuild posts the notice, which mirrors the new items.
    m_core.RebuildSignalTree();
}

void CChannelTreeView::PostSignalsChanged() {
    if (m_mirrored != m_core.Generation()) {
        MirrorCore();
    }
    emit SignalsChanged();
}

void CChannelTreeView::MirrorCore() {
    m_mirroring = true;
    m_mirrored = m_core.Generation();
    setUpdatesEnabled(false);
    SetDropTarget(nullptr);
    clear();
    m_items.clear();
    for (const SIGNAL_ITEM& root : m_core.Roots()) {
        QTreeWidgetItem* item = MakeItem(root);
        for (const SIGNAL_ITEM& child : root.Children) {
            item->addChild(MakeItem(child));
        }
        addTopLevelItem(item);
        item->setExpanded(root.Expanded);
    }
    SyncSelection();
    setUpdatesEnabled(true);
    m_mirroring = false;
}

QTreeWidgetItem* CChannelTreeView::MakeItem(const SIGNAL_ITEM& source) {
    static const QIcon icon = SignalIcon();
    auto* item = new QTreeWidgetItem(QStringList(QString::fromStdString(source.Label)));
    item->setData(0, HandleRole, QVariant::fromValue<qulonglong>(source.Handle));
    item->setIcon(0, icon);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    m_items[source.Handle] = item;
    return item;
}

QTreeWidgetItem* CChannelTreeView::ItemOf(TreeHandle handle) const {
    const auto found = m_items.find(handle);
    return found == m_items.end() ? nullptr : found->second;
}

TreeHandle CChannelTreeView::HandleOf(const QTreeWidgetItem* item) const {
    return item == nullptr ? 0 : static_cast<TreeHandle>(item->data(0, HandleRole).toULongLong());
}

void CChannelTreeView::SyncSelection() {
    const bool mirroring = m_mirroring;
    m_mirroring = true;
    QItemSelection selection;
    for (const auto& [handle, item] : m_items) {
        if (m_core.IsSelected(handle)) {
            const QModelIndex index = indexFromItem(item);
            selection.select(index, index);
        }
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (QTreeWidgetItem* focused = ItemOf(m_core.Focused())) {
        selectionModel()->setCurrentIndex(indexFromItem(focused), QItemSelectionModel::NoUpdate);
    }
    m_mirroring = mirroring;
}

int CChannelTreeView::GraphCurrentRow() const { return m_links.GraphCurrentRow ? m_links.GraphCurrentRow() : 0; }

void CChannelTreeView::SelectSignalRow(int row) {
    SelectRow(row);
    emit SelectRowRequested(row);
}

// ---------------------------------------------------------------- helpers the frame calls

void CChannelTreeView::ScrollToRow(int row) {
    if (QTreeWidgetItem* item = ItemOf(m_core.VisibleItem(row))) {
        scrollToItem(item, QAbstractItemView::PositionAtTop);
    }
}

void CChannelTreeView::SelectRow(int row) {
    setUpdatesEnabled(false);
    m_core.SelectVisibleRow(row);
    SyncSelection();
    setUpdatesEnabled(true);
    emit SelectionChanged();
}

bool CChannelTreeView::IsEditable() const { return m_editable && !(m_links.RunActive && m_links.RunActive()); }

void CChannelTreeView::AfterCaretMove() {
    if (QTreeWidgetItem* focused = ItemOf(m_core.Focused())) {
        scrollToItem(focused);
    }
    emit CaretRowChanged(m_core.VisibleIndex(m_core.Focused()));
    emit SelectionChanged();
    const int top = m_core.VisibleIndex(HandleOf(itemAt(QPoint(1, 1))));
    if (top >= 0) {
        emit ScrollRowsRequested(top);
    }
}

// ---------------------------------------------------------------- commands of popup 311

void CChannelTreeView::ShowPopup(const QPoint& globalPos) {
    m_editable = m_links.Table && !(m_links.RunActive && m_links.RunActive());
    if (m_popup == nullptr) {
        m_popup = new QMenu(this);
        m_popup->addAction(QString::fromStdString(LoadText(IDS_MENU_BUS)), this, &CChannelTreeView::OnBus)
            ->setData(CommandBus);
        m_popup->addAction(QString::fromStdString(LoadText(IDS_MENU_NON_BUS)), this, &CChannelTreeView::OnNonBus)
            ->setData(CommandNonBus);
        m_popup->addAction(QString::fromStdString(LoadText(IDS_MENU_TREE_PROPERTIES)), this,
                           &CChannelTreeView::OnProperties)
            ->setData(CommandProperties);
    }
    for (QAction* action : m_popup->actions()) {
        action->setEnabled(m_editable);
    }
    m_popup->popup(globalPos);
}

void CChannelTreeView::OnBus() {
    if (IsEditable() && m_core.Bus()) {
        emit SelectionChanged();
    }
}

void CChannelTreeView::OnNonBus() {
    if (IsEditable() && m_core.NonBus()) {
        emit SelectionChanged();
    }
}

void CChannelTreeView::OnProperties() {
    CChannelTable* table = m_links.Table ? m_links.Table() : nullptr;
    if (!IsEditable() || table == nullptr) {
        return;
    }
    CChannelTreePropDlg dialog(*table, m_links.Messages, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    dialog.Properties().Apply(*table);
    m_core.RebuildSignalTree();
    emit ScrollRowsRequested(0);
    SelectSignalRow(0);
}

// ---------------------------------------------------------------- mouse

void CChannelTreeView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || m_dragging) {
        return;  // right presses never reach the control
    }
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item == nullptr) {
        return;
    }
    if (item->childCount() > 0 && event->position().x() < visualItemRect(item).left()) {
        item->setExpanded(!item->isExpanded());
        return;
    }
    const TreeHandle handle = HandleOf(item);
    const Qt::KeyboardModifiers mods = event->modifiers();
    m_pressedWasSelected = m_core.IsSelected(handle) && m_core.Focused() == handle && mods == Qt::NoModifier;
    m_core.Click(handle, mods.testFlag(Qt::ControlModifier), mods.testFlag(Qt::ShiftModifier));
    SyncSelection();
    setFocus(Qt::MouseFocusReason);
    m_leftDown = true;
    m_pressPos = event->position().toPoint();
    m_pressed = handle;
    AfterCaretMove();
}

void CChannelTreeView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    const QPoint pos = event->position().toPoint();
    if (m_dragging) {
        TrackDrag(pos);
    } else if (m_leftDown && m_pressed != 0 && (pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance() &&
               !m_core.SelectedItems().empty()) {
        StartDrag();
        TrackDrag(pos);
    }
}

void CChannelTreeView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        ShowPopup(viewport()->mapToGlobal(pos));
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (m_dragging) {
        EndDrag(pos);
    } else if (m_leftDown && m_pressedWasSelected && HandleOf(itemAt(pos)) == m_pressed) {
        StartEdit(ItemOf(m_pressed));
    }
    m_leftDown = false;
    m_pressedWasSelected = false;
}

void CChannelTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) {
        StartEdit(itemAt(event->position().toPoint()));
    }
}

void CChannelTreeView::wheelEvent(QWheelEvent* event) {
    // The graph drives the tree's vertical position; the wheel never scrolls it.
    event->accept();
}

void CChannelTreeView::contextMenuEvent(QContextMenuEvent* event) {
    // The popup opens on the right-button release.
    event->accept();
}

// ---------------------------------------------------------------- keys

void CChannelTreeView::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    QTreeWidgetItem* focused = ItemOf(m_core.Focused());
    int step = 0;
    switch (event->key()) {
        case Qt::Key_Up: step = -1; break;
        case Qt::Key_Down: step = 1; break;
        case Qt::Key_Home: step = -static_cast<int>(m_items.size()); break;
        case Qt::Key_End: step = static_cast<int>(m_items.size()); break;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (focused != nullptr && focused->childCount() > 0) {
                focused->setExpanded(event->key() == Qt::Key_Right);
            }
            event->accept();
            return;
        case Qt::Key_F2:
            if (m_core.SelectedItems().size() == 1) {
                StartEdit(ItemOf(m_core.SelectedItems().front()));
            }
            event->accept();
            return;
        case Qt::Key_Escape:
            if (m_dragging) {
                EndDrag(QPoint(-1, -1));
            }
            event->accept();
            return;
        default: event->ignore(); return;
    }
    event->accept();
    if (m_core.MoveFocus(step, shift)) {
        SyncSelection();
        AfterCaretMove();
    }
}

// ---------------------------------------------------------------- label editing

void CChannelTreeView::StartEdit(QTreeWidgetItem* item) {
    const TreeHandle handle = HandleOf(item);
    if (handle == 0 || m_editing != 0) {
        return;
    }
    m_editing = handle;
    m_hasCommit = false;
    item->setText(0, QString::fromStdString(m_core.EditText(handle)));
    editItem(item, 0);
}

void CChannelTreeView::commitData(QWidget* editor) {
    if (const auto* line = qobject_cast<QLineEdit*>(editor)) {
        m_committed = line->text();
        m_hasCommit = true;
    }
}

void CChannelTreeView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTreeWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
    const TreeHandle handle = m_editing;
    const bool commit = m_hasCommit && hint != QAbstractItemDelegate::RevertModelCache;
    const std::string text = m_committed.toStdString();
    m_editing = 0;
    m_hasCommit = false;
    if (handle == 0) {
        return;
    }
    // The rebuild deletes the item whose editor is closing: it runs afterwards.
    QMetaObject::invokeMethod(
        this,
        [this, handle, commit, text] {
            if (commit) {
                (void)m_core.Rename(handle, text);
            } else {
                m_core.CancelRename(handle);
            }
        },
        Qt::QueuedConnection);
}

// ---------------------------------------------------------------- expand and collapse

void CChannelTreeView::OnExpandedChanged(QTreeWidgetItem* item, bool expanded) {
    if (!m_mirroring) {
        m_core.SetExpanded(HandleOf(item), expanded);
        SyncSelection();
    }
}

// ---------------------------------------------------------------- drag and drop

void CChannelTreeView::StartDrag() {
    m_dragging = true;
    viewport()->grabMouse();
}

void CChannelTreeView::TrackDrag(const QPoint& pos) {
    QTreeWidgetItem* item = itemAt(pos);
    SetDropTarget(item);
    const CSignalTree::DropCheck check = m_core.CheckDrop(m_pressed, HandleOf(item));
    const bool refused = check != CSignalTree::DropCheck::Allowed && check != CSignalTree::DropCheck::NoItem;
    viewport()->setCursor(refused ? Qt::ForbiddenCursor : Qt::ArrowCursor);
}

void CChannelTreeView::EndDrag(const QPoint& pos) {
    viewport()->releaseMouse();
    viewport()->unsetCursor();
    m_dragging = false;
    m_leftDown = false;
    SetDropTarget(nullptr);
    const TreeHandle source = m_pressed;
    m_pressed = 0;
    if (m_core.Drop(source, HandleOf(itemAt(pos)))) {
        emit SelectionChanged();
    }
}

void CChannelTreeView::SetDropTarget(QTreeWidgetItem* item) {
    if (QTreeWidgetItem* previous = ItemOf(m_dropTarget)) {
        previous->setBackground(0, QBrush());
    }
    m_dropTarget = HandleOf(item);
    if (item != nullptr) {
        item->setBackground(0, palette().color(QPalette::Highlight).lighter(160));
    }
}

TreeHandle CChannelTreeView::DropTarget() const { return m_dropTarget; }
