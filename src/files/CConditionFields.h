#pragma once
#include <cstdint>
#include <functional>
#include <limits>
#include <type_traits>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/CNumberText.h"
#include "files/FileResult.h"
#include "files/STAGED_CONDITION.h"

class CLogicDocument;

// Key/value pairs of a text file's condition ("ClockType" -> "1").
using KEY_VALUES = std::map<std::string, std::string, std::less<>>;

// The condition keys the text files share: which keys a direction writes, in
// which order and how, how a file's values are staged over the document's
// condition, and the order in which a read gives them to the document.
class CConditionFields {
public:
    // The pulse files carry MaxChannels and ReadOnly; the condition file does
    // not, and stores AutoSave as a 16-bit value.
    enum class Kind { Pulse, Condition };

    // The keys and their texts in file order for the condition's direction
    // (which must be 1 or 2): conditional keys only where they belong.
    [[nodiscard]] static std::vector<std::pair<std::string, std::string>> Fields(
        const LOGIC_CONDITION& condition, uint32_t size, Kind kind);

    // Lays the file's values over the document's condition. A key the file
    // lacks keeps the document's value. Refuses a direction other than 1 or
    // 2, a Size of 0 and texts longer than 255 bytes (the condition file
    // takes the device texts up to 255 bytes instead).
    [[nodiscard]] static FileResult Stage(const CLogicDocument& document, const KEY_VALUES& values,
                                          Kind kind, STAGED_CONDITION& staged);

    // Gives a staged condition to the document in the readers' order,
    // notifying the views after each step. The memory of the direction must
    // already have the staged Size (see ResizeFor).
    static void Apply(CLogicDocument& document, const STAGED_CONDITION& staged, Kind kind);

    // Resizes the memory of the staged direction before anything else changes;
    // a refusal leaves the document as it was. Refused while a run is active.
    [[nodiscard]] static FileResult ResizeFor(CLogicDocument& document, const STAGED_CONDITION& staged);

    // Checks that the texts of the condition that the direction writes hold
    // at most 255 bytes and none of the bytes of `forbidden`; empty when fine.
    [[nodiscard]] static std::string TextProblem(const LOGIC_CONDITION& condition,
                                                 std::string_view forbidden);

    // Why a file cannot carry a memory of this many words (0 or more than
    // MaxFileWords); empty when it can.
    [[nodiscard]] static std::string SizeProblem(uint32_t size);

    // The refusal of a number outside the range of its field ("%d" of a
    // 32-bit unsigned field may be negative, so those take -2^31 .. 2^32 - 1);
    // false with `problem` naming the field and the number.
    template <class T>
    [[nodiscard]] static bool DecimalField(std::string_view name, std::string_view text, T& field,
                                           std::string& problem);
    [[nodiscard]] static bool UnsignedField(std::string_view name, std::string_view text, uint32_t& field,
                                            std::string& problem);

    // "0x%08X".
    [[nodiscard]] static std::string HexText(uint32_t value);
};

template <class T>
bool CConditionFields::DecimalField(std::string_view name, std::string_view text, T& field, std::string& problem) {
    constexpr bool wide = sizeof(T) == 4;
    constexpr int64_t low = wide ? int64_t{INT32_MIN} : int64_t{std::numeric_limits<T>::min()};
    constexpr int64_t high = wide ? (std::is_unsigned_v<T> ? int64_t{UINT32_MAX} : int64_t{INT32_MAX})
                                  : int64_t{std::numeric_limits<T>::max()};
    int64_t value = 0;
    if (!CNumberText::DecimalIn(text, low, high, value)) {
        problem = "the " + std::string(name) + " value \"" + std::string(text.substr(0, 40)) +
                  "\" is outside its range (" + std::to_string(low) + " to " + std::to_string(high) + ")";
        return false;
    }
    field = static_cast<T>(value);
    return true;
}
