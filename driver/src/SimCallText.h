// Formats a board operation call as one line of the call log.
#pragma once

#include <cinttypes>
#include <cstdio>
#include <string>
#include <type_traits>

namespace qdxsim {

// Marks an output argument: the log shows "out".
struct SIM_OUT {};

inline std::string ArgText(SIM_OUT) { return "out"; }
inline std::string ArgText(const char* text) { return text == nullptr ? "NULL" : text; }
inline std::string ArgText(int16_t value) { return std::to_string(value); }
inline std::string ArgText(uint16_t value) { return std::to_string(value); }
inline std::string ArgText(int32_t value) { return std::to_string(value); }
inline std::string ArgText(uint32_t value) { return std::to_string(value); }
inline std::string ArgText(uint8_t value) { return std::to_string(value); }
// Window handles and host addresses are shown in hexadecimal.
inline std::string ArgText(intptr_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%" PRIxPTR, static_cast<uintptr_t>(value));
    return text;
}
template <typename T>
std::string ArgText(T* pointer)
{
    if constexpr (std::is_function_v<T>) {
        return ArgText(reinterpret_cast<intptr_t>(reinterpret_cast<void*>(pointer)));
    } else {
        return ArgText(reinterpret_cast<intptr_t>(pointer));
    }
}

template <typename... A>
std::string CallText(const char* name, const A&... args)
{
    std::string text = name;
    text += '(';
    bool first = true;
    ((text += (first ? "" : ", ") + ArgText(args), first = false), ...);
    text += ')';
    return text;
}

}  // namespace qdxsim
