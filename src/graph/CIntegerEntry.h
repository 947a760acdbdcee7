#pragma once
#include <cstdint>
#include <string>

// The check of a typed integer in a dialog field, as OK makes it: text that
// is not a 32-bit integer gets message 61712 "Enter an integer.", a value
// outside the field's range gets 61714 "Enter an integer between %1 and %2."
// with the limits, and the dialog stays open.
class CIntegerEntry {
public:
    enum class CHECK { Valid, NotInteger, OutOfRange };

    CIntegerEntry(int64_t minimum, int64_t maximum) : m_minimum(minimum), m_maximum(maximum) {}

    // Leading and trailing blanks are allowed; a sign only before digits.
    [[nodiscard]] CHECK Check(const std::string& text, int32_t& value) const;
    // The message for a failed check, in the start-up language ("" when valid).
    [[nodiscard]] std::string Message(CHECK check) const;

private:
    int64_t m_minimum;
    int64_t m_maximum;
};
