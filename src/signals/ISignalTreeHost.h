#pragma once

// What the signal tree needs from its document window: the graph's current
// row, the helpers that keep graph, tree and list selected alike, and the
// notice that the rows changed (WM_SIGNALS_CHANGED).
class ISignalTreeHost {
public:
    virtual ~ISignalTreeHost() = default;
    // Posted after every rebuild: the graph recounts its rows and redraws.
    virtual void PostSignalsChanged() = 0;
    // The displayed row of the graph's caret.
    [[nodiscard]] virtual int GraphCurrentRow() const = 0;
    // Selects displayed row n in the tree and the channel list.
    virtual void SelectSignalRow(int row) = 0;
    // Makes displayed row n the top row of graph, tree and list.
    virtual void ScrollSignalRowsTo(int row) = 0;
    // The channel list shows the values at the graph's current clock.
    virtual void ShowValuesAtCurrentClock() = 0;
};
