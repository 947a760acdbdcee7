#include "shell/ui/CChildFrame.h"

#include "graph/ui/CNivaraView.h"
#include "resources/CStringTable.h"
#include "shell/ui/CNivaraDoc.h"

CChildFrame::CChildFrame(CNivaraDoc& document, QWidget* parent)
    : QMdiSubWindow(parent), m_doc(document), m_records(std::make_unique<CWindowRecords>(LoadText(49000))) {
    m_view = new CNivaraView(m_doc, *m_records, this);
    setWidget(m_view);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Untitled"));
    connect(&m_doc, &CNivaraDoc::ViewsNeedUpdate, m_view, qOverload<>(&QWidget::update));
}

CChildFrame::~CChildFrame() = default;
