#pragma once
#include <QWidget>

class QComboBox;

// The strip below the signal tree with the result page selector: the five
// page names (strings 64600 to 64604), the first one selected, centred with
// equal margins.
class CWorkSpaceView : public QWidget {
    Q_OBJECT
public:
    static constexpr int FirstPageText = 64600;
    static constexpr int PageCount = 5;

    explicit CWorkSpaceView(QWidget* parent = nullptr);

    [[nodiscard]] QComboBox* PageList() const { return m_pages; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QComboBox* m_pages;
};
