#include "graph/ui/CNivaraView.h"

#include <QPainter>

#include "shell/ui/CNivaraDoc.h"

CNivaraView::CNivaraView(CNivaraDoc& document, CWindowRecords& records, QWidget* parent)
    : QWidget(parent), m_doc(document), m_records(records) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void CNivaraView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}
