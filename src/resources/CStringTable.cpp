#include "resources/CStringTable.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "resources/StringEntry.h"

namespace {

std::atomic<int> g_language{LANGUAGE_ENGLISH};

const char* Find(const nivara::strings::StringEntry* table, std::size_t count, int id) {
    for (std::size_t i = 0; i < count; ++i) {
        if (table[i].Id == id) {
            return table[i].Text;
        }
    }
    return nullptr;
}

std::string FormatVa(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(out.data(), out.size() + 1, format, args);
    return out;
}

}  // namespace

void CStringTable::SetLanguage(int language) {
    g_language = language == LANGUAGE_JAPANESE ? LANGUAGE_JAPANESE : LANGUAGE_ENGLISH;
}

int CStringTable::Language() { return g_language; }

int CStringTable::LanguageFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            return (value[0] == 'j' && value[1] == 'a') ? LANGUAGE_JAPANESE : LANGUAGE_ENGLISH;
        }
    }
    return LANGUAGE_ENGLISH;
}

std::string CStringTable::Text(int id, int language) {
    using namespace nivara::strings;
    const char* text = language == LANGUAGE_JAPANESE ? Find(Japanese, JapaneseCount, id)
                                                     : Find(English, EnglishCount, id);
    return text != nullptr ? std::string(text) : std::string();
}

std::string CStringTable::FormatPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = FormatVa(format, args);
    va_end(args);
    return out;
}

std::string CStringTable::FormatNumbered(const std::string& format,
                                         const std::vector<std::string>& inserts) {
    std::string out;
    out.reserve(format.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9') {
            const std::size_t index = static_cast<std::size_t>(format[i + 1] - '1');
            if (index < inserts.size()) {
                out += inserts[index];
            }
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string LoadText(int id) { return CStringTable::Text(id, CStringTable::Language()); }

std::string nivara::detail::FormatWith(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = FormatVa(format, args);
    va_end(args);
    return out;
}
