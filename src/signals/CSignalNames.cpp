#include "signals/CSignalNames.h"

#include <array>
#include <string_view>

#include "document/IUserMessages.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr std::array<std::string_view, 4> Keywords = {"Data", "BookmarkAbsolutePosition", "IsCurrentBookmark",
                                                      "BookmarkMemo"};
}

bool CSignalNames::IsStorable(const std::string& name) {
    if (name.size() > MaxNameBytes || name.find_first_of(",\r\n") != std::string::npos) {
        return false;
    }
    for (std::string_view keyword : Keywords) {
        if (name == keyword) {
            return false;
        }
    }
    return true;
}

bool CSignalNames::Accept(const std::string& name, IUserMessages* messages) {
    if (IsStorable(name)) {
        return true;
    }
    if (messages != nullptr) {
        messages->ShowMessage(LoadText(IDS_SIGNAL_NAME_REFUSED), MessageIcon::Warning);
    }
    return false;
}
