#include "signals/ui/CChannelListView.h"

#include <QMouseEvent>

#include "document/CChannelTable.h"

CChannelListView::CChannelListView(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    for (int i = 0; i < InitialRows; ++i) {
        AddRow("-");
    }
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_setting && row >= 0) {
            emit RowPicked(row);
        }
    });
}

void CChannelListView::AddRow(const QString& text) {
    auto* item = new QListWidgetItem(text, this);
    item->setTextAlignment(Qt::AlignCenter);
    item->setSizeHint(QSize(0, RowHeight));
}

void CChannelListView::ShowValuesAt(const CChannelTable* table, int direction, const CLogicMemory* memory, int64_t p,
                                    CChannelValues::VIEW_RANGE range, int topRow) {
    setUpdatesEnabled(false);
    m_setting = true;
    const int selected = currentRow();
    clear();
    if (table != nullptr) {
        for (const std::string& text : CChannelValues::Texts(*table, m_values.WordAt(direction, memory, p, range))) {
            AddRow(QString::fromStdString(text));
        }
    }
    if (selected >= 0 && selected < count()) {
        setCurrentRow(selected);
    }
    m_setting = false;
    ScrollToRow(topRow);
    setUpdatesEnabled(true);
}

void CChannelListView::ScrollToRow(int row) {
    if (QListWidgetItem* it = item(row)) {
        scrollToItem(it, QAbstractItemView::PositionAtTop);
    }
}

void CChannelListView::SelectRow(int row) {
    setUpdatesEnabled(false);
    m_setting = true;
    clearSelection();
    if (row >= 0 && row < count()) {
        setCurrentRow(row);
    }
    m_setting = false;
    setUpdatesEnabled(true);
}

void CChannelListView::mousePressEvent(QMouseEvent* event) {
    const int row = indexAt(event->position().toPoint()).row();
    if (event->button() == Qt::RightButton && row >= 0) {
        setCurrentRow(row);
    }
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        if (currentRow() >= 0) {
            emit RowPicked(currentRow());
        }
    }
}

void CChannelListView::keyPressEvent(QKeyEvent* event) {
    QListWidget::keyPressEvent(event);
    if (currentRow() >= 0) {
        emit RowPicked(currentRow());
    }
}
