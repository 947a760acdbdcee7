#pragma once
#include <cstdint>

// The graph's bookmark markers, as the bookmark commands drive them. A new
// marker is drawn in the current colour until another one is highlighted.
class IBookmarkMarkers {
public:
    virtual ~IBookmarkMarkers() = default;
    virtual void AddMarker(int64_t position) = 0;
    // Every marker gets the other colour, the one at `position` the current colour.
    virtual void HighlightMarker(int64_t position) = 0;
    virtual void RemoveMarker(int64_t position) = 0;
    virtual void RemoveAllMarkers() = 0;
    virtual void SetMarkersShown(bool shown) = 0;
};
