#include "shell/CWindowGridHost.h"

#include "files/IFileWindow.h"

void CWindowGridHost::OnDirectionChanged() {
    m_window.RebuildBookmarkMarkers();
    m_window.RebuildSignalTree();
    m_window.Repaint();
}

void CWindowGridHost::OnMemoryResized(int) { m_window.Repaint(); }
