#include "signals/ui/CWorkSpaceView.h"

#include <QComboBox>
#include <algorithm>

#include "resources/CStringTable.h"

CWorkSpaceView::CWorkSpaceView(QWidget* parent) : QWidget(parent), m_pages(new QComboBox(this)) {
    for (int i = 0; i < PageCount; ++i) {
        m_pages->addItem(QString::fromStdString(LoadText(FirstPageText + i)));
    }
    m_pages->setCurrentIndex(0);
    setAutoFillBackground(true);
}

void CWorkSpaceView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int listHeight = std::min(m_pages->sizeHint().height(), height());
    const int margin = (height() - listHeight) / 2;
    m_pages->setGeometry(margin, margin, std::max(0, width() - 2 * margin), listHeight);
}
