#include "device/ui/CStatusView.h"

#include <QHeaderView>
#include <QAbstractItemDelegate>
#include <QEvent>
#include <QStyleOptionViewItem>

#include <algorithm>

#include "device/CBoardStatus.h"

CStatusView::CStatusView(QWidget* parent) : QTableWidget(Rows, 2, parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int row = 0; row < Rows; ++row) {
        setItem(row, 0, new QTableWidgetItem());
        setItem(row, 1, new QTableWidgetItem());
    }
}

void CStatusView::FillLabels() {
    const BOARD_STATUS_ROWS rows = CBoardStatus::InitialRows();
    for (int row = 0; row < Rows; ++row) {
        item(row, 0)->setText(QString::fromStdString(rows[static_cast<std::size_t>(row)].Label));
    }
    m_labelsFilled = true;
    FitColumns();
}

int CStatusView::CellWidth(int row, int column) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex index = model()->index(row, column);
    // The grid line takes one pixel of the column.
    return itemDelegateForIndex(index)->sizeHint(option, index).width() + (showGrid() ? 1 : 0);
}

void CStatusView::FitColumns() {
    // The labels get what the widest of them needs, the values the rest of
    // the pane; a value that is still too wide shows whole in its tooltip.
    if (item(0, 0) == nullptr) {
        return;  // still being built
    }
    const int available = viewport()->width();
    int labels = 0;
    for (int row = 0; row < Rows; ++row) {
        labels = std::max(labels, CellWidth(row, 0));
    }
    labels = std::min(labels, available);
    setColumnWidth(0, labels);
    setColumnWidth(1, std::max(0, available - labels));
    for (int row = 0; row < Rows; ++row) {
        UpdateToolTip(row);
    }
}

void CStatusView::UpdateToolTip(int row) {
    QTableWidgetItem* value = item(row, 1);
    const bool fits = value->text().isEmpty() || CellWidth(row, 1) <= columnWidth(1);
    value->setToolTip(fits ? QString() : value->text());
}

void CStatusView::showEvent(QShowEvent* event) {
    if (!m_labelsFilled) {
        FillLabels();
    }
    QTableWidget::showEvent(event);
}

void CStatusView::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    FitColumns();
}

void CStatusView::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        FitColumns();
    }
}

void CStatusView::ShowBoardStatus(const BOARD_STATUS_ROWS& rows) {
    setUpdatesEnabled(false);
    for (int row = 0; row < Rows; ++row) {
        const STATUS_ROW& source = rows[static_cast<std::size_t>(row)];
        item(row, 0)->setText(QString::fromStdString(source.Label));
        item(row, 1)->setText(QString::fromStdString(source.Value));
    }
    m_labelsFilled = true;
    FitColumns();
    setUpdatesEnabled(true);
}

void CStatusView::SetValue(int row, const QString& value) {
    if (row >= 0 && row < Rows) {
        item(row, 1)->setText(value);
        UpdateToolTip(row);
    }
}

QString CStatusView::Value(int row) const {
    return row >= 0 && row < Rows ? item(row, 1)->text() : QString();
}

QString CStatusView::Label(int row) const {
    return row >= 0 && row < Rows ? item(row, 0)->text() : QString();
}
