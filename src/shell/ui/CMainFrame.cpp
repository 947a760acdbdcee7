#include "shell/ui/CMainFrame.h"

#include <QMdiArea>

#include "shell/ui/CChildFrame.h"
#include "shell/ui/CNivaraDoc.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle("Nivara");
    m_mdiArea = new QMdiArea(this);
    setCentralWidget(m_mdiArea);
}

CMainFrame::~CMainFrame() {
    // Windows go before the document they show.
    m_mdiArea->closeAllSubWindows();
    delete m_mdiArea;
    m_mdiArea = nullptr;
}

CChildFrame* CMainFrame::OnFileNew() {
    if (!m_doc) {
        m_doc = std::make_unique<CNivaraDoc>();
    }
    auto* child = new CChildFrame(*m_doc);
    m_mdiArea->addSubWindow(child);
    child->showMaximized();
    return child;
}
