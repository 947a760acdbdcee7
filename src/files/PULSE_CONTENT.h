#pragma once
#include <string>

#include "document/BOOKMARK_DATA.h"
#include "document/CChannelTable.h"
#include "files/STAGED_CONDITION.h"

// Everything of a pulse file before its data words, staged for the document:
// the condition, the channel table and (when the file has them) the bookmarks
// of the file's direction.
struct PULSE_CONTENT {
    std::string Version;
    STAGED_CONDITION Staged;
    CChannelTable Table;
    bool HasBookmarks = false;
    CBookmarkList Bookmarks;

    [[nodiscard]] int Direction() const { return Staged.Condition.Direction; }
};
