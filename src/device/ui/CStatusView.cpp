#include "device/ui/CStatusView.h"

#include <QHeaderView>

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

void CStatusView::FitColumns() {
    resizeColumnToContents(0);
    setColumnWidth(1, std::max(0, viewport()->width() - columnWidth(0)));
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
    }
}

QString CStatusView::Value(int row) const {
    return row >= 0 && row < Rows ? item(row, 1)->text() : QString();
}

QString CStatusView::Label(int row) const {
    return row >= 0 && row < Rows ? item(row, 0)->text() : QString();
}
