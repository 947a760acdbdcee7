#pragma once
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

    // "0x%08X".
    [[nodiscard]] static std::string HexText(uint32_t value);
};
