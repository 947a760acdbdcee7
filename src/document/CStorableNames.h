#pragma once
#include <cstddef>
#include <string>

// Which names a pulse text file can hold for a signal or a bus: at most 255
// bytes, no comma, CR or LF, and none of the section keywords of the file.
// The signal panel refuses other names where they are entered; a file of
// another kind brings its names in cleaned by the same rule.
class CStorableNames {
public:
    static constexpr std::size_t MaxNameBytes = 255;

    [[nodiscard]] static bool IsStorable(const std::string& name);
    // The name made storable: a comma, CR or LF becomes '_', a longer name
    // is cut to whole characters within 255 bytes, a section keyword gets a
    // '_' appended and an empty name becomes "_".
    [[nodiscard]] static std::string Storable(std::string name);
    // A bookmark memo made storable: the same characters and length, and
    // it may stay empty.
    [[nodiscard]] static std::string StorableMemo(std::string memo);
};
