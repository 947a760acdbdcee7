#pragma once
#include <QHeaderView>

class QStandardItemModel;

// The caption strip above the signal tree and the channel list: one header
// item reading "Data", twice as wide as the strip.
class CHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit CHeaderView(QWidget* parent = nullptr);
    // The frame sizes the strip.
    [[nodiscard]] QSize minimumSizeHint() const override { return {0, 0}; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QStandardItemModel* m_model;
};
