#pragma once
#include <QListWidget>

#include <cstdint>

#include "signals/CChannelValues.h"

class CChannelTable;
class CLogicMemory;

// The channel value list beside the signal tree: one centred row per
// displayed row with its value at the graph's current clock, aligned row for
// row with the tree and the graph. It has no scroll bar of its own: the graph
// sets its top row.
class CChannelListView : public QListWidget {
    Q_OBJECT
public:
    static constexpr int RowHeight = 30;
    static constexpr int InitialRows = 32;

    explicit CChannelListView(QWidget* parent = nullptr);

    // Rebuilds the rows for clock position p of the direction's memory, then
    // makes `topRow` the top row.
    void ShowValuesAt(const CChannelTable* table, int direction, const CLogicMemory* memory, int64_t p,
                      CChannelValues::VIEW_RANGE range, int topRow);
    void ScrollToRow(int row);
    void SelectRow(int row);

signals:
    // The user clicked a row, pressed a key or changed the selection.
    void RowPicked(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void AddRow(const QString& text);

    CChannelValues m_values;
    bool m_setting = false;
};
