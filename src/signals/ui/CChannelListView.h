#pragma once
#include <QListWidget>

#include <cstdint>

class CChannelTable;

// The channel value list beside the signal tree: one centred row per
// displayed row with its value in a sample word, aligned with the tree.
class CChannelListView : public QListWidget {
    Q_OBJECT
public:
    static constexpr int RowHeight = 30;
    static constexpr int InitialRows = 32;

    explicit CChannelListView(QWidget* parent = nullptr);

    // One row per displayed row of the table with its value in `word`:
    // "%d" for a signal, "%02X" for a bus.
    void ShowValues(const CChannelTable* table, uint32_t word);
    void ScrollToRow(int row);
    void SelectRow(int row);

private:
    void AddRow(const QString& text);
};
