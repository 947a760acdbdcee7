#include "shell/CMemoryResize.h"

#include <algorithm>

#include "document/CLogicDocument.h"
#include "document/IUserMessages.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

bool CMemoryResize::Resize(CLogicDocument& document, int direction, uint32_t size, IUserMessages& messages) {
    const DIRECTION_GROUP* group = document.Condition().Group(direction);
    const CLogicMemory* memory = document.Memory(direction);
    if (group == nullptr || memory == nullptr) {
        return false;
    }
    size = std::clamp<uint32_t>(size, 1, MaximumWords);
    const uint32_t before = memory->Length();
    const bool resized = direction == DIRECTION_SAMPLING ? document.SetBufferSize(size)
                                                         : document.SetSize(direction, size, group->RepeatCount);
    if (!resized) {
        messages.ShowMessage(FormatText(IDS_BUFFER_ALLOCATION_FAILED, size), MessageIcon::Error);
        return false;
    }
    if (direction == DIRECTION_SAMPLING && memory->Length() != before) {
        document.AutoSavedFiles.clear();
        document.CurrentBlock.store(0);
    }
    return true;
}
