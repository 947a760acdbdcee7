#pragma once
#include <cstddef>

#include "graph/CGraphModel.h"
#include "graph/GRAPH_INPUT.h"

// What the mouse and key controllers of the graph ask of the window that
// hosts them. The graph view implements it; tests implement it to watch.
class IGraphViewHost {
public:
    virtual ~IGraphViewHost() = default;

    // Repaint these parts (GRAPH_PART bits) from the model.
    virtual void Invalidate(unsigned parts) = 0;
    // The current cell or the selection changed: place the caret at the
    // current cell, tell the panes that follow the caret and the selection.
    virtual void PlaceCaret() = 0;
    // Everything changed (the page moved, the scale changed): hand the state
    // to the drawing objects, place the caret, repaint the whole graph.
    virtual void RefreshView() = 0;
    // Make shown row `row` the first visible row; the signal panes follow.
    virtual void ScrollSignalRowsTo(int row) = 0;
    // Show block n of an auto-saved sampling run.
    virtual BLOCK_LOAD LoadSavedBlock(std::size_t block) = 0;
    // Call RepeatStep of the mouse controller every 100 ms until StopRepeat.
    virtual void StartRepeat() = 0;
    virtual void StopRepeat() = 0;
    virtual void SetPointerShape(POINTER_SHAPE shape) = 0;
    // The Cut, Copy and Paste menu at a point of the graph.
    virtual void ShowContextMenu(int x, int y) = 0;
    // A key asks the main frame for a command (Jump To Specified Clock, Swap).
    virtual void RequestCommand(int commandId) = 0;
    // Zoom and insert mode changes made by keys.
    virtual void SetZoom(double zoom) = 0;
    virtual void SetInsertMode(bool insert) = 0;
};
