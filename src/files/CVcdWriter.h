#pragma once
#include <string>

#include "files/FileResult.h"

class CLogicDocument;
class CWindowRecords;

// Writes the current direction's data as a Value Change Dump: one 1-bit wire
// per enabled signal row (in table order, named by the row's name made safe
// and unique), each bus as a "$comment bus NAME: channels ... $end" line, the
// bookmarks as comments, every value at time 0 and then only the changes, one
// per line below their timestamp. Word i is at time i x Clock in the clock's
// unit; for an external or handshake clock the time is the clock index. The
// data ends with the timestamp of word n. Written beside the target and
// renamed over it, so a failed write keeps the previous file.
class CVcdWriter {
public:
    // `date` goes into $date as it is (the caller's local time text).
    [[nodiscard]] static FileResult Write(const CLogicDocument& document, const CWindowRecords& records,
                                          const std::string& path, const std::string& date);
    // True for a path that ends in ".vcd".
    [[nodiscard]] static bool IsVcdPath(const std::string& path) {
        return path.size() >= 4 && path.compare(path.size() - 4, 4, ".vcd") == 0;
    }
    // The local time as a $date text ("2026/12/09 12:00:00").
    [[nodiscard]] static std::string LocalDate();
    // A name VCD can hold: printable ASCII without blanks, brackets or "$", never empty.
    [[nodiscard]] static std::string SafeName(const std::string& name);
};
