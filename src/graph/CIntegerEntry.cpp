#include "graph/CIntegerEntry.h"

#include <cctype>
#include <limits>

#include "resources/CStringTable.h"

CIntegerEntry::CHECK CIntegerEntry::Check(const std::string& text, int32_t& value) const {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    while (end > i && std::isspace(static_cast<unsigned char>(text[end - 1])) != 0) {
        --end;
    }
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == end) {
        return CHECK::NotInteger;
    }
    int64_t number = 0;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return CHECK::NotInteger;
        }
        number = number * 10 + (c - '0');
        if (number > int64_t{std::numeric_limits<int32_t>::max()} + 1) {
            return CHECK::NotInteger;
        }
    }
    number = negative ? -number : number;
    if (number < std::numeric_limits<int32_t>::min() || number > std::numeric_limits<int32_t>::max()) {
        return CHECK::NotInteger;
    }
    if (number < m_minimum || number > m_maximum) {
        return CHECK::OutOfRange;
    }
    value = static_cast<int32_t>(number);
    return CHECK::Valid;
}

std::string CIntegerEntry::Message(CHECK check) const {
    switch (check) {
    case CHECK::NotInteger:
        return LoadText(IDS_ENTER_INTEGER);
    case CHECK::OutOfRange:
        return CStringTable::FormatNumbered(LoadText(IDS_ENTER_INTEGER_RANGE),
                                            {std::to_string(m_minimum), std::to_string(m_maximum)});
    case CHECK::Valid:
        break;
    }
    return {};
}
