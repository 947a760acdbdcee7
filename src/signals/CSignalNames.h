#pragma once
#include <string>

#include "document/CStorableNames.h"

class IUserMessages;

// Names entered for a signal or a bus: one the pulse text file cannot hold
// (CStorableNames) is refused where it is entered, so that Save never fails
// later on it.
class CSignalNames {
public:
    static constexpr std::size_t MaxNameBytes = CStorableNames::MaxNameBytes;

    [[nodiscard]] static bool IsStorable(const std::string& name);
    // True when the name can be stored; otherwise tells the user why and
    // returns false.
    [[nodiscard]] static bool Accept(const std::string& name, IUserMessages* messages);
};
