#include "signals/ui/CWorkSpaceView.h"

#include <QComboBox>
#include <algorithm>

#include "resources/CStringTable.h"
#include "resources/StringIds.h"

CWorkSpaceView::CWorkSpaceView(QWidget* parent) : QWidget(parent), m_pages(new QComboBox(this)) {
    m_pages->setObjectName("2");
    for (int i = 0; i < PageCount; ++i) {
        m_pages->addItem(QString::fromStdString(LoadText(IDS_PAGE_LOGICAL_OPERATION + i)));
    }
    m_pages->setCurrentIndex(0);
    setAutoFillBackground(true);
    connect(m_pages, &QComboBox::activated, this, [this](int page) { emit ResultPageChanged(page); });
}

int CWorkSpaceView::ResultPage() const { return m_pages->currentIndex(); }

void CWorkSpaceView::SetResultPage(int page) {
    if (page < 0 || page >= PageCount) {
        return;
    }
    if (m_pages->currentIndex() != page) {
        m_pages->setCurrentIndex(page);
    }
    emit ResultPageChanged(page);
}

void CWorkSpaceView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int listHeight = std::min(m_pages->sizeHint().height(), height());
    const int margin = (height() - listHeight) / 2;
    m_pages->setGeometry(margin, margin, std::max(0, width() - 2 * margin), listHeight);
}
