#include "document/GuardedCall.h"

#include "document/CImproperArgument.h"
#include "document/IUserMessages.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

bool GuardedCall(IUserMessages& messages, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const CImproperArgument&) {
        messages.ShowMessage(LoadText(IDS_IMPROPER_ARGUMENT), MessageIcon::Error);
        return false;
    }
}
