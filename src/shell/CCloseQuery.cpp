#include "shell/CCloseQuery.h"

#include "document/IUserMessages.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

bool CCloseQuery::AllowClose(int windowCount, bool saved, IUserMessages& messages,
                             const std::function<bool()>& saveAs) {
    if (windowCount > 1 || saved) {
        return true;
    }
    switch (messages.AskYesNoCancel(LoadText(IDS_SAVE_QUERY), MessageIcon::Question)) {
    case MessageAnswer::Yes:
        return saveAs();
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}
