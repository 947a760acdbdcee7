#include "signals/ui/CChannelListView.h"

#include "document/CChannelTable.h"

CChannelListView::CChannelListView(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    for (int i = 0; i < InitialRows; ++i) {
        AddRow("-");
    }
}

void CChannelListView::AddRow(const QString& text) {
    auto* item = new QListWidgetItem(text, this);
    item->setTextAlignment(Qt::AlignCenter);
    item->setSizeHint(QSize(0, RowHeight));
}

void CChannelListView::ShowValues(const CChannelTable* table, uint32_t word) {
    setUpdatesEnabled(false);
    const int top = currentRow();
    clear();
    if (table != nullptr) {
        for (std::size_t row : table->DisplayedRows()) {
            const bool bus = table->At(row).IsBus != 0;
            AddRow(bus ? QString::asprintf("%02X", table->BusValue(row, word))
                       : QString::number(table->SignalBit(row, word)));
        }
    }
    if (top >= 0 && top < count()) {
        setCurrentRow(top);
    }
    setUpdatesEnabled(true);
}

void CChannelListView::ScrollToRow(int row) {
    if (QListWidgetItem* it = item(row)) {
        scrollToItem(it, QAbstractItemView::PositionAtTop);
    }
}

void CChannelListView::SelectRow(int row) {
    setUpdatesEnabled(false);
    clearSelection();
    if (row >= 0 && row < count()) {
        setCurrentRow(row);
    }
    setUpdatesEnabled(true);
}
