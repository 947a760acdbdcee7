#include "files/CPulseLoad.h"

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CConditionFields.h"
#include "files/IFileWindow.h"

FileResult CPulseLoad::Apply(CLogicDocument& document, CWindowRecords& records, const PULSE_CONTENT& content) {
    FileResult resized = CConditionFields::ResizeFor(document, content.Staged);
    if (!resized) {
        return resized;
    }
    CConditionFields::Apply(document, content.Staged, CConditionFields::Kind::Pulse);
    const int direction = content.Direction();
    records.Table(direction)->Assign(content.Table.Items());
    if (content.HasBookmarks) {
        records.Bookmarks(direction)->Assign(content.Bookmarks.Items());
    }
    return FileResult::Success();
}

void CPulseLoad::Finish(CLogicDocument& document, IFileWindow& window, int direction, uint32_t stored,
                        const std::string& path) {
    window.RebuildBookmarkMarkers();
    if (direction == DIRECTION_SAMPLING) {
        document.LastCount.store(stored);
    }
    DeviceStep(document, window);
    window.RebuildSignalTree();
    document.NotifyViews();
    window.SetTitleAndPath(path);
}

void CPulseLoad::DeviceStep(CLogicDocument& document, IFileWindow& window) {
    const std::string name = document.Condition().DeviceName;
    window.SelectDeviceByName(document, name);
    window.RefreshConditionGrid();
    window.ReopenDevice();
}

FileResult CPulseLoad::CheckBlockTarget(const CLogicDocument& document) {
    if (document.Condition().Direction != DIRECTION_SAMPLING) {
        return FileResult::ReadRefused("a block is read only into a document in sampling direction");
    }
    if (document.IsRunning.load() != 0) {
        return FileResult::ReadRefused("a run of the document is active");
    }
    return FileResult::Success();
}
