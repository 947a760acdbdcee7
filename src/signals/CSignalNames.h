#pragma once
#include <string>

class IUserMessages;

// Which names a pulse text file can hold for a signal or a bus: at most 255
// bytes, no comma, CR or LF, and none of the section keywords of the file.
// A name it cannot hold is refused where it is entered, so that Save never
// fails later on it.
class CSignalNames {
public:
    static constexpr std::size_t MaxNameBytes = 255;

    [[nodiscard]] static bool IsStorable(const std::string& name);
    // True when the name can be stored; otherwise tells the user why and
    // returns false.
    [[nodiscard]] static bool Accept(const std::string& name, IUserMessages* messages);
};
