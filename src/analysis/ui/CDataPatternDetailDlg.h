#pragma once
#include <QDialog>
#include <QWidget>

#include "analysis/CDataPatternDetail.h"

class QScrollBar;

// Dialog 331, "Data Pattern Details": the bits of one data pattern as a step
// line with a horizontal scroll bar, opened modal above the graph at the
// pattern's slot. No controls besides the scroll bar.
class CDataPatternDetailDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int DialogId = 331;

    CDataPatternDetailDlg(const DATA_PATTERN& pattern, float scale, QWidget* parent = nullptr);

    // Opens the details of a pattern above the graph and waits until closed.
    static void Open(const DATA_PATTERN& pattern, QWidget& graph);
    // The window goes above the graph, its left edge at the slot's left x,
    // when it is shown.
    void PlaceAbove(const QWidget& graph, int slotLeft);

    [[nodiscard]] const CDataPatternDetail& Detail() const { return m_detail; }
    [[nodiscard]] QScrollBar* ScrollBar() const { return m_scrollBar; }
    [[nodiscard]] QWidget* Client() const { return m_client; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnScrollAction(int action);
    void Place();

    CDataPatternDetail m_detail;
    QWidget* m_client;
    QScrollBar* m_scrollBar;
    const QWidget* m_graph = nullptr;
    int m_slotLeft = 0;
};
