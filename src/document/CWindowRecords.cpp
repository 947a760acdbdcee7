#include "document/CWindowRecords.h"

#include "document/LOGIC_CONDITION.h"

CWindowRecords::CWindowRecords(const std::string& signalBaseName)
    : GeneratingTable(CChannelTable::MakeDefault(signalBaseName)),
      SamplingTable(CChannelTable::MakeDefault(signalBaseName)) {}

CChannelTable* CWindowRecords::Table(int direction) {
    return direction == DIRECTION_SAMPLING     ? &SamplingTable
           : direction == DIRECTION_GENERATING ? &GeneratingTable
                                               : nullptr;
}

const CChannelTable* CWindowRecords::Table(int direction) const {
    return const_cast<CWindowRecords*>(this)->Table(direction);
}

CBookmarkList* CWindowRecords::Bookmarks(int direction) {
    return direction == DIRECTION_SAMPLING     ? &SamplingBookmarks
           : direction == DIRECTION_GENERATING ? &GeneratingBookmarks
                                               : nullptr;
}

const CBookmarkList* CWindowRecords::Bookmarks(int direction) const {
    return const_cast<CWindowRecords*>(this)->Bookmarks(direction);
}
