#pragma once
#include <QObject>
#include <cstddef>
#include <memory>

#include "analysis/CResultPages.h"
#include "analysis/SEARCH_PAGE.h"

class CNivaraView;
class CResultBox;
class CResultStripHandler;
class CWindowRecords;
class QComboBox;

// The analysis results of one document window's graph: the result pages and
// the result box that draws them in the graph. It lives as a child of the
// graph view, so it goes with the window; the workspace strip's page list
// selects the page shown, and every analysis, search and pattern creation
// switches it through ShowPage.
class CAnalysisResults : public QObject {
    Q_OBJECT
public:
    // Creates the results of a graph, hands its result box to the graph and
    // follows the page list (nullptr: no list).
    static CAnalysisResults* Attach(CNivaraView& view, CWindowRecords& records, QComboBox* pageList);
    // The results attached to a graph, nullptr when none are.
    [[nodiscard]] static CAnalysisResults* Of(const CNivaraView& view);

    ~CAnalysisResults() override;

    [[nodiscard]] CResultPages& Pages() { return m_pages; }
    [[nodiscard]] const CResultBox& Box() const { return *m_box; }
    // The mouse in the result strip; pattern stamping sets its apply handler.
    [[nodiscard]] CResultStripHandler& StripHandler() { return *m_strip; }
    // Selects a page in the page list (or directly without a list) and repaints the graph.
    void ShowPage(RESULT_PAGE page);
    // Opens the details window of a data pattern (modal, above the graph).
    void ShowDetails(std::size_t index);
    // Repaints the result strip after a result changed.
    void Repaint();
    // The search request's page: stored and shown.
    void ShowSearchRequest(const SEARCH_PAGE& request);

private:
    CAnalysisResults(CNivaraView& view, CWindowRecords& records, QComboBox* pageList);
    void OnPageSelected(int page);

    CNivaraView& m_view;
    CWindowRecords& m_records;
    QComboBox* m_pageList;
    CResultPages m_pages;
    std::unique_ptr<CResultBox> m_box;
    std::unique_ptr<CResultStripHandler> m_strip;
};
