#pragma once

// What the condition grid asks of the document window after an edit that
// reaches beyond the condition.
class IConditionGridHost {
public:
    virtual ~IConditionGridHost() = default;
    // Direction changed: show the bookmarks of the new direction, rebuild the
    // signal tree for its channel table and repaint the window.
    virtual void OnDirectionChanged() = 0;
    // The memory of a direction got a new length: whatever held positions in
    // the old one (the edit history of the graph) no longer holds.
    virtual void OnMemoryResized(int direction) = 0;
};
