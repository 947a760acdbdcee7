#include "signals/ui/CChannelTreeView.h"

#include <QScrollBar>

#include "document/CChannelTable.h"

CChannelTreeView::CChannelTreeView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setStyleSheet(QString("QTreeView::item { height: %1px; }").arg(RowHeight));
}

void CChannelTreeView::Rebuild(const CChannelTable* table) {
    setUpdatesEnabled(false);
    clear();
    if (table != nullptr) {
        QList<QTreeWidgetItem*> items;
        for (std::size_t row : table->DisplayedRows()) {
            items << new QTreeWidgetItem(QStringList(QString::fromStdString(table->At(row).ChannelName)));
        }
        addTopLevelItems(items);
    }
    setUpdatesEnabled(true);
}

void CChannelTreeView::ScrollToRow(int row) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        scrollToItem(item, QAbstractItemView::PositionAtTop);
    }
}

void CChannelTreeView::SelectRow(int row) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        setUpdatesEnabled(false);
        setCurrentItem(item);
        setUpdatesEnabled(true);
    }
}
