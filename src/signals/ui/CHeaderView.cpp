#include "signals/ui/CHeaderView.h"

#include <QStandardItemModel>

CHeaderView::CHeaderView(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), m_model(new QStandardItemModel(0, 1, this)) {
    m_model->setHorizontalHeaderLabels({"Data"});
    setModel(m_model);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSectionsClickable(false);
    setSectionResizeMode(QHeaderView::Fixed);
}

void CHeaderView::resizeEvent(QResizeEvent* event) {
    QHeaderView::resizeEvent(event);
    resizeSection(0, 2 * width());
}
