#pragma once
#include <QWidget>

class QComboBox;

// The strip below the signal tree with the result page selector: the five
// page names "Logical Operation", "Pulse Count", "Frequency", "Search" and
// "Data pattern", the first one selected, centred with equal margins.
class CWorkSpaceView : public QWidget {
    Q_OBJECT
public:
    static constexpr int PageCount = 5;

    explicit CWorkSpaceView(QWidget* parent = nullptr);

    [[nodiscard]] QComboBox* PageList() const { return m_pages; }
    [[nodiscard]] int ResultPage() const;
    // Selects page k (0..4) when it is not selected yet and tells the graph
    // of the frame to show it; any other k does nothing.
    void SetResultPage(int page);

signals:
    // The result box of the frame's graph shows this page from now on.
    void ResultPageChanged(int page);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QComboBox* m_pages;
};
