#include "analysis/CBookmarkCommands.h"

#include <algorithm>

#include "analysis/IBookmarkMarkers.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "graph/CGraphModel.h"

namespace {

// A position no marker has (positions are never negative).
constexpr int64_t NoMarker = -1;

void ClearCurrentFlags(CBookmarkList& list) {
    for (BOOKMARK_DATA& mark : list) {
        mark.IsCurrentBookmark = 0;
    }
}

}  // namespace

CBookmarkList* CBookmarkCommands::List() const {
    return m_model.Records().Bookmarks(m_model.Document().Condition().Direction);
}

uint64_t CBookmarkCommands::CurrentPosition() const {
    return static_cast<uint64_t>(std::max<int64_t>(0, m_model.AbsoluteOffset() + m_model.Current().clock));
}

uint32_t CBookmarkCommands::BufferSize() const {
    return std::max<uint32_t>(1, m_model.Document().Condition().SamplingBufferSize);
}

void CBookmarkCommands::Toggle() {
    CBookmarkList* list = List();
    const uint64_t p = CurrentPosition();
    if (list == nullptr || p > LargestPosition) {
        return;
    }
    const auto position = static_cast<uint32_t>(p);
    std::size_t index = 0;
    while (index < list->Size() && list->At(index).BookmarkAbsolutePosition < position) {
        ++index;
    }
    if (index < list->Size() && list->At(index).BookmarkAbsolutePosition == position) {
        m_markers.RemoveMarker(position);
        list->RemoveAt(index);
        if (!list->Empty()) {
            ClearCurrentFlags(*list);
            list->At(0).IsCurrentBookmark = 1;
            m_markers.HighlightMarker(list->At(0).BookmarkAbsolutePosition);
        }
        return;
    }
    ClearCurrentFlags(*list);
    list->InsertAt(index, BOOKMARK_DATA{position, std::string(), 1});
    m_markers.SetMarkersShown(true);
    m_markers.AddMarker(position);
    m_markers.HighlightMarker(position);
}

bool CBookmarkCommands::Next() {
    CBookmarkList* list = List();
    const uint64_t p = CurrentPosition();
    if (list == nullptr || list->Empty() || p >= list->At(list->Size() - 1).BookmarkAbsolutePosition) {
        return false;
    }
    std::size_t index = 0;
    while (list->At(index).BookmarkAbsolutePosition <= p) {
        ++index;
    }
    return MoveTo(index, true);
}

bool CBookmarkCommands::Previous() {
    CBookmarkList* list = List();
    const uint64_t p = CurrentPosition();
    if (list == nullptr || list->Empty() || list->At(0).BookmarkAbsolutePosition >= p) {
        return false;
    }
    std::size_t index = list->Size() - 1;
    while (list->At(index).BookmarkAbsolutePosition >= p) {
        --index;
    }
    return MoveTo(index, false);
}

bool CBookmarkCommands::MoveTo(std::size_t index, bool forward) {
    CBookmarkList& list = *List();
    const uint32_t b = list.At(index).BookmarkAbsolutePosition;
    if (m_model.BlockButtonsShown() && m_model.BlockCount() > 0) {
        const std::size_t block = b / BufferSize();
        const auto shown = static_cast<std::size_t>(std::max(0, m_model.ShownBlock()));
        const bool load = forward ? block > shown : block < shown;
        if (load && block < m_model.BlockCount() && m_model.LoadSavedBlock(block, m_reader) != BLOCK_LOAD::Loaded) {
            return false;
        }
    }
    // The clock in the shown memory, kept inside the data: a bookmark beyond
    // the valid words or the memory's end puts the caret on the last clock.
    const int64_t inMemory = static_cast<int64_t>(b) - m_model.AbsoluteOffset();
    const int clock = static_cast<int>(std::clamp<int64_t>(inMemory, 0, std::max(0, m_model.LastClock())));
    m_model.SetAnchor({clock, 0});
    m_model.SetCurrent({clock, 0});
    m_model.ScrollToClock(static_cast<int64_t>(clock) - m_model.Geometry().ClocksPerPage() / 2);
    m_markers.HighlightMarker(b);
    ClearCurrentFlags(list);
    list.At(index).IsCurrentBookmark = 1;
    return true;
}

void CBookmarkCommands::Clear() {
    m_markers.RemoveAllMarkers();
    if (CBookmarkList* list = List()) {
        list->RemoveAll();
    }
}

void CBookmarkCommands::Jump(uint64_t position) {
    if (position <= LargestPosition) {
        m_model.JumpToClock(static_cast<uint32_t>(position), m_reader);
    }
}

void CBookmarkCommands::WriteBack(const std::vector<BOOKMARK_DATA>& copy) {
    if (CBookmarkList* list = List()) {
        list->Assign(copy);
        RebuildMarkers();
    }
}

void CBookmarkCommands::RebuildMarkers() {
    m_markers.RemoveAllMarkers();
    CBookmarkList* list = List();
    if (list == nullptr) {
        return;
    }
    Normalise(*list);
    // New markers take the current colour; a current mark gives every other
    // marker the other colour.
    int64_t current = NoMarker;
    for (const BOOKMARK_DATA& mark : *list) {
        m_markers.AddMarker(mark.BookmarkAbsolutePosition);
        if (mark.IsCurrentBookmark != 0) {
            current = mark.BookmarkAbsolutePosition;
        }
    }
    if (current != NoMarker) {
        m_markers.HighlightMarker(current);
    }
    if (!list->Empty()) {
        m_markers.SetMarkersShown(true);
    }
}

void CBookmarkCommands::Normalise(CBookmarkList& list) {
    std::vector<BOOKMARK_DATA> items = list.Items();
    std::stable_sort(items.begin(), items.end(), [](const BOOKMARK_DATA& a, const BOOKMARK_DATA& b) {
        return a.BookmarkAbsolutePosition < b.BookmarkAbsolutePosition;
    });
    items.erase(std::unique(items.begin(), items.end(),
                            [](const BOOKMARK_DATA& a, const BOOKMARK_DATA& b) {
                                return a.BookmarkAbsolutePosition == b.BookmarkAbsolutePosition;
                            }),
                items.end());
    bool current = false;
    for (BOOKMARK_DATA& mark : items) {
        mark.IsCurrentBookmark = !current && mark.IsCurrentBookmark != 0 ? 1 : 0;
        current = current || mark.IsCurrentBookmark != 0;
    }
    list.Assign(std::move(items));
}

bool CBookmarkCommands::MemoFits(const std::string& memo) {
    return memo.size() <= LongestMemo && memo.find_first_of(",\r\n") == std::string::npos;
}
