#pragma once
#include "shell/IConditionGridHost.h"

class IFileWindow;

// The document window's side of a grid edit, through the steps it offers
// the file reads.
class CWindowGridHost : public IConditionGridHost {
public:
    explicit CWindowGridHost(IFileWindow& window) : m_window(window) {}

    // The bookmarks and the signal tree of the new direction, then a repaint.
    void OnDirectionChanged() override;
    // The graph shows the memory with its new length.
    void OnMemoryResized(int direction) override;

private:
    IFileWindow& m_window;
};
