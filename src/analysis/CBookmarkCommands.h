#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/BOOKMARK_DATA.h"

class CGraphModel;
class IBlockReader;
class IBookmarkMarkers;

// Toggle, Next, Previous, Clear and the list's Jump and OK on the bookmark
// list of the graph's current direction. Each list stays in ascending order
// of position with at most one bookmark per position and, when not empty,
// exactly one current bookmark.
class CBookmarkCommands {
public:
    // The largest position the pulse files can hold.
    static constexpr uint64_t LargestPosition = UINT32_MAX;
    // The longest memo a pulse text file row can hold.
    static constexpr std::size_t LongestMemo = 255;

    CBookmarkCommands(CGraphModel& model, IBookmarkMarkers& markers, IBlockReader* reader)
        : m_model(model), m_markers(markers), m_reader(reader) {}

    // The list of the current direction, nullptr for none.
    [[nodiscard]] CBookmarkList* List() const;
    // The absolute position of the graph's current clock.
    [[nodiscard]] uint64_t CurrentPosition() const;

    // Ctrl+F2: removes the bookmark at the current position or adds one there.
    void Toggle();
    // F2 / Shift+F2: the next bookmark after (or the last before) the current
    // position, loading its block first; false when nothing moved.
    bool Next();
    bool Previous();
    void Clear();
    // The list's Jump: the bookmark's clock at the left edge (shared with Ctrl+J).
    void Jump(uint64_t position);
    // The list's OK: the dialog's copy replaces the list.
    void WriteBack(const std::vector<BOOKMARK_DATA>& copy);

    // After a file was read or the direction changed: puts the list in order
    // and gives every bookmark a marker, the current one highlighted.
    void RebuildMarkers();

    // A list read from a file in order: sorted by position, one bookmark per
    // position (the first kept), at most one current mark (the first kept).
    static void Normalise(CBookmarkList& list);
    // True when a pulse text file row can hold the memo.
    [[nodiscard]] static bool MemoFits(const std::string& memo);

private:
    // Moves to bookmark `index`: loads its block, puts the caret on row 0 at
    // its clock (clamped to the data) in the middle of the page, then makes it
    // current. False (nothing changed) when its block cannot be loaded.
    bool MoveTo(std::size_t index, bool forward);
    [[nodiscard]] uint32_t BufferSize() const;

    CGraphModel& m_model;
    IBookmarkMarkers& m_markers;
    IBlockReader* m_reader;
};
