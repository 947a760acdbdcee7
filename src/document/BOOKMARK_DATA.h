#pragma once
#include <cstdint>
#include <string>

#include "document/CCheckedArray.h"

// A bookmark: an absolute clock position with a memo.
struct BOOKMARK_DATA {
    uint32_t BookmarkAbsolutePosition = 0;
    std::string BookmarkMemo;
    uint32_t IsCurrentBookmark = 0;

    bool operator==(const BOOKMARK_DATA&) const = default;
};

using CBookmarkList = CCheckedArray<BOOKMARK_DATA>;
