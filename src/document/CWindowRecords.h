#pragma once
#include <string>

#include "document/BOOKMARK_DATA.h"
#include "document/CChannelTable.h"
#include "document/COMPARE_POSITION.h"
#include "document/CDataPatternList.h"

// What one document window keeps beside the shared document: a channel table
// and a bookmark list per direction, and the compare list of both directions.
// A further window on the same document starts with its own defaults.
// The graph's data-pattern list is kept here too, so that pattern creation,
// stamping and the result box reach the same five entries.
class CWindowRecords {
public:
    // Default tables named by signalBaseName (string 49000) + channel number.
    explicit CWindowRecords(const std::string& signalBaseName);

    // The table or list of a direction value, nullptr for any other value.
    [[nodiscard]] CChannelTable* Table(int direction);
    [[nodiscard]] const CChannelTable* Table(int direction) const;
    [[nodiscard]] CBookmarkList* Bookmarks(int direction);
    [[nodiscard]] const CBookmarkList* Bookmarks(int direction) const;

    CChannelTable GeneratingTable;
    CChannelTable SamplingTable;
    CBookmarkList GeneratingBookmarks;
    CBookmarkList SamplingBookmarks;
    CCompareList ComparePositions;
    CDataPatternList DataPatterns;
};
