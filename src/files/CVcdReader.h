#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "files/FileResult.h"
#include "files/VCD_DECLARATIONS.h"

class CLogicDocument;
class CWindowRecords;
class IFileWindow;

// Reads a Value Change Dump into a generating document. Scalars and vectors
// of wire, reg and integer variables (nested scopes give dotted names) become
// signal rows in declaration order, up to 32 bits counted by identifier code:
// a vector's least significant bit takes the next free channel, and a vector
// of at most 8 bits also becomes a bus. Files this program wrote keep their
// channels, buses and bookmarks. x and z read as 0. The words are the values
// at every multiple of the period: the one given, or else the greatest common
// divisor of the change times; a last timestamp without changes ends the
// data. The file is read once, its words sampled into a memory of their own
// that then becomes the generating memory, so no second copy of the data is
// ever held. A file that is malformed, declares more than 32 bits or gives
// more than 100,000,000 words is refused with its name and line, and nothing
// changes.
class CVcdReader {
public:
    static constexpr uint64_t MaxWords = VCD_MAX_WORDS;

    // "50ns", "1 us", "2ms", "1s" in femtoseconds: a whole number of s, ms, us
    // or ns; false for anything else.
    [[nodiscard]] static bool ParsePeriod(const std::string& text, uint64_t& femtoseconds);

    // periodFemtoseconds 0: the greatest common divisor of the change times.
    // Warnings (x or z values, a period the board cannot clock) are added to
    // `warnings`; the read still succeeds.
    [[nodiscard]] static FileResult Read(CLogicDocument& document, CWindowRecords& records, IFileWindow& window,
                                         const std::string& path, uint64_t periodFemtoseconds,
                                         std::vector<std::string>& warnings);
};
