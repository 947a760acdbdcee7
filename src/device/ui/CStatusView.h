#pragma once
#include <QTableWidget>

#include <array>

#include "device/BOARD_STATUS_ROWS.h"

// The operation status list of a document window: five labelled rows
// (status, transfer mode, current position, repeat times, error), labels in
// column 0 as wide as the widest label needs, values in column 1 filling the
// rest of the pane. A value wider than its cell shows whole in its tooltip.
class CStatusView : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int Rows = 5;
    static constexpr int RowHeight = 19;

    explicit CStatusView(QWidget* parent = nullptr);
    // The frame sizes the list.
    [[nodiscard]] QSize minimumSizeHint() const override { return {0, 0}; }

    // Shows the five rows (labels and values); drawing is held while they change.
    void ShowBoardStatus(const BOARD_STATUS_ROWS& rows);
    void SetValue(int row, const QString& value);
    [[nodiscard]] QString Value(int row) const;
    [[nodiscard]] QString Label(int row) const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FillLabels();
    void FitColumns();
    void UpdateToolTip(int row);
    // The width a cell needs to show its text whole, as the view's own
    // delegate and style will paint it.
    [[nodiscard]] int CellWidth(int row, int column) const;

    bool m_labelsFilled = false;
};
