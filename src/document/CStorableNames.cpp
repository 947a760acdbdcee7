#include "document/CStorableNames.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {
constexpr std::array<std::string_view, 4> Keywords = {"Data", "BookmarkAbsolutePosition", "IsCurrentBookmark",
                                                      "BookmarkMemo"};

bool IsKeyword(const std::string& name) {
    return std::find(Keywords.begin(), Keywords.end(), name) != Keywords.end();
}

// Commas and line ends become '_'; a longer text is cut where a UTF-8
// character starts, so no character is left half.
std::string Cleaned(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return c == ',' || c == '\r' || c == '\n'; }, '_');
    if (text.size() > CStorableNames::MaxNameBytes) {
        std::size_t cut = CStorableNames::MaxNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0U) == 0x80U) {
            --cut;
        }
        text.resize(cut);
    }
    return text;
}
}  // namespace

bool CStorableNames::IsStorable(const std::string& name) {
    return name.size() <= MaxNameBytes && name.find_first_of(",\r\n") == std::string::npos && !IsKeyword(name);
}

std::string CStorableNames::Storable(std::string name) {
    name = Cleaned(std::move(name));
    if (IsKeyword(name)) {
        name += '_';
    }
    return name.empty() ? std::string("_") : name;
}

std::string CStorableNames::StorableMemo(std::string memo) { return Cleaned(std::move(memo)); }
