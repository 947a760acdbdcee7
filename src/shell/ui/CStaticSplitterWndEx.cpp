#include "shell/ui/CStaticSplitterWndEx.h"

#include <QSplitterHandle>

CStaticSplitterWndEx::CStaticSplitterWndEx(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent) {
    setHandleWidth(1);
    setChildrenCollapsible(false);
}

void CStaticSplitterWndEx::Lock() {
    m_locked = true;
    for (int i = 0; i < count(); ++i) {
        // A disabled handle receives no mouse input.
        handle(i)->setEnabled(false);
        handle(i)->setCursor(Qt::ArrowCursor);
    }
}

QSplitterHandle* CStaticSplitterWndEx::createHandle() {
    QSplitterHandle* created = QSplitter::createHandle();
    if (m_locked) {
        created->setEnabled(false);
    }
    return created;
}
