#include "analysis/ui/CViewBookmarkMarkers.h"

#include "graph/ui/CNivaraView.h"

void CViewBookmarkMarkers::AddMarker(int64_t position) { m_view.AddBookmarkMarker(position); }
void CViewBookmarkMarkers::HighlightMarker(int64_t position) { m_view.HighlightBookmarkMarker(position); }
void CViewBookmarkMarkers::RemoveMarker(int64_t position) { m_view.RemoveBookmarkMarker(position); }
void CViewBookmarkMarkers::RemoveAllMarkers() { m_view.RemoveAllBookmarkMarkers(); }
void CViewBookmarkMarkers::SetMarkersShown(bool shown) { m_view.SetBookmarkMarkersShown(shown); }
