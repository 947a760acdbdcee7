#pragma once
#include "analysis/IBookmarkMarkers.h"

class CNivaraView;

// The bookmark markers of a graph view for the bookmark commands.
class CViewBookmarkMarkers final : public IBookmarkMarkers {
public:
    explicit CViewBookmarkMarkers(CNivaraView& view) : m_view(view) {}

    void AddMarker(int64_t position) override;
    void HighlightMarker(int64_t position) override;
    void RemoveMarker(int64_t position) override;
    void RemoveAllMarkers() override;
    void SetMarkersShown(bool shown) override;

private:
    CNivaraView& m_view;
};
