#include "signals/CSignalNames.h"

#include "document/CStorableNames.h"
#include "document/IUserMessages.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

bool CSignalNames::IsStorable(const std::string& name) { return CStorableNames::IsStorable(name); }

bool CSignalNames::Accept(const std::string& name, IUserMessages* messages) {
    if (IsStorable(name)) {
        return true;
    }
    if (messages != nullptr) {
        messages->ShowMessage(LoadText(IDS_SIGNAL_NAME_REFUSED), MessageIcon::Warning);
    }
    return false;
}
