#include "analysis/ui/CAnalysisResults.h"

#include <QComboBox>

#include "analysis/CResultStripHandler.h"
#include "analysis/ui/CDataPatternDetailDlg.h"
#include "analysis/ui/CResultBox.h"
#include "document/CWindowRecords.h"
#include "graph/CGraphGeometry.h"
#include "graph/ui/CNivaraView.h"

CAnalysisResults* CAnalysisResults::Attach(CNivaraView& view, CWindowRecords& records, QComboBox* pageList) {
    if (CAnalysisResults* existing = Of(view)) {
        return existing;
    }
    return new CAnalysisResults(view, records, pageList);
}

CAnalysisResults* CAnalysisResults::Of(const CNivaraView& view) {
    return view.findChild<CAnalysisResults*>(QString(), Qt::FindDirectChildrenOnly);
}

CAnalysisResults::CAnalysisResults(CNivaraView& view, CWindowRecords& records, QComboBox* pageList)
    : QObject(&view),
      m_view(view),
      m_records(records),
      m_pageList(pageList),
      m_box(std::make_unique<CResultBox>(view.Model(), m_pages, records.DataPatterns,
                                         CGraphGeometry::ScaleFromDpi(view.logicalDpiX()))),
      m_strip(std::make_unique<CResultStripHandler>(view.Model(), m_pages, records.DataPatterns,
                                                    [this] { Repaint(); })) {
    view.AddDrawObject(m_box.get());
    view.MouseController().SetStripHandler(m_strip.get());
    m_strip->SetApplyHandler([this](std::size_t index, bool details) {
        if (details) {
            ShowDetails(index);
        }
    });
    if (m_pageList != nullptr) {
        (void)m_pages.SetPage(m_pageList->currentIndex());
        connect(m_pageList, &QComboBox::currentIndexChanged, this, &CAnalysisResults::OnPageSelected);
    }
}

// The graph deletes its children after it stops painting: the box it holds goes with them.
CAnalysisResults::~CAnalysisResults() = default;

void CAnalysisResults::ShowDetails(std::size_t index) {
    if (const DATA_PATTERN* pattern = m_records.DataPatterns.At(index)) {
        CDataPatternDetailDlg::Open(*pattern, m_view);
    }
}

void CAnalysisResults::Repaint() { m_view.Invalidate(GRAPH_PART_RESULT); }

void CAnalysisResults::OnPageSelected(int page) {
    if (m_pages.SetPage(page)) {
        m_view.Invalidate(GRAPH_PART_RESULT);
    }
}

void CAnalysisResults::ShowPage(RESULT_PAGE page) {
    const int index = static_cast<int>(page);
    if (m_pageList != nullptr && m_pageList->currentIndex() != index) {
        m_pageList->setCurrentIndex(index);  // OnPageSelected follows
    }
    m_pages.SetPage(page);
    m_view.Invalidate(GRAPH_PART_RESULT);
}

void CAnalysisResults::ShowSearchRequest(const SEARCH_PAGE& request) {
    m_pages.SetSearch(request);
    ShowPage(RESULT_PAGE::Search);
}
