#pragma once
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>
#include "resources/StringIds.h"

// The user-interface texts, addressed by numeric id, in the language chosen
// at start-up: 1033 English or 1041 Japanese. The language never changes while
// the application runs.
constexpr int LANGUAGE_ENGLISH = 1033;
constexpr int LANGUAGE_JAPANESE = 1041;

class CStringTable {
public:
    // The language set at start-up (English until set).
    static void SetLanguage(int language);
    [[nodiscard]] static int Language();

    // Japanese when the first non-empty of LC_ALL, LC_MESSAGES, LANG starts with "ja".
    [[nodiscard]] static int LanguageFromEnvironment();

    // The text of an id in a given language; empty when the id has no text.
    [[nodiscard]] static std::string Text(int id, int language);

    // printf-style formatting of an already looked-up format text.
    [[nodiscard]] static std::string FormatPrintf(const char* format, ...)
        __attribute__((format(printf, 1, 2)));
    // Replaces the numbered inserts %1, %2, ... by the given texts.
    [[nodiscard]] static std::string FormatNumbered(const std::string& format,
                                                    const std::vector<std::string>& inserts);
};

// The text of an id in the start-up language; an id without a string gives "".
[[nodiscard]] std::string LoadText(int id);

namespace nivara::detail {
template <class T>
auto FormatArgument(const T& value) {
    if constexpr (std::is_same_v<std::decay_t<T>, std::string>) {
        return value.c_str();
    } else {
        return value;
    }
}
template <class T>
std::string InsertText(const T& value) {
    if constexpr (std::is_same_v<std::decay_t<T>, std::string>) {
        return value;
    } else if constexpr (std::is_convertible_v<T, const char*>) {
        return std::string(value);
    } else {
        return std::to_string(value);
    }
}
std::string FormatWith(const char* format, ...);
}  // namespace nivara::detail

// The string of an id used as a format: printf-style ("%d", "%s", "%u"), or
// numbered inserts "%1", "%2" for the two framework messages that use them
// (61477 and 61714).
template <class... Args>
[[nodiscard]] std::string FormatText(int id, const Args&... args) {
    const std::string format = LoadText(id);
    if (id == IDS_IMPROPER_ARGUMENT || id == IDS_ENTER_INTEGER_RANGE) {
        return CStringTable::FormatNumbered(format, {nivara::detail::InsertText(args)...});
    }
    return nivara::detail::FormatWith(format.c_str(), nivara::detail::FormatArgument(args)...);
}
