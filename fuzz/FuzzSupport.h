// Shared pieces of the reader fuzz targets: the input becomes a file, the
// reader runs on a fresh document, and whatever a reader accepted must
// survive a write and a read in both formats unchanged.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CHeadlessFileWindow.h"
#include "files/PulseBinaryFile.h"
#include "files/PulseTextFile.h"

namespace fuzz {

inline std::string Folder() {
    static const std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return folder;
}

inline std::string TempPath(const char* name) {
    return Folder() + "/nivara-fuzz-" + std::to_string(getpid()) + "-" + name;
}

// The input as a file for the duration of one run.
class CInputFile {
public:
    CInputFile(const uint8_t* data, std::size_t size) : m_path(TempPath("input")) {
        std::FILE* file = std::fopen(m_path.c_str(), "wb");
        if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
            std::abort();
        }
    }
    ~CInputFile() { std::remove(m_path.c_str()); }
    CInputFile(const CInputFile&) = delete;
    CInputFile& operator=(const CInputFile&) = delete;
    [[nodiscard]] const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Brings a document and its window records to the same small start state
// before every run (a fresh document would zero 4 MB each time).
inline void Reset(CLogicDocument& document, CWindowRecords& records) {
    document.Condition() = LOGIC_CONDITION{};
    document.Condition().Direction = DIRECTION_SAMPLING;
    if (!document.SamplingMemory().Resize(1000) || !document.GeneratingMemory().Resize(1000)) {
        std::abort();
    }
    document.SamplingMemory().Clear();
    document.GeneratingMemory().Clear();
    document.Condition().SamplingBufferSize = 1000;
    document.LastCount = 0;
    document.IsRunning = 0;
    document.PatternParameters = {};
    records = CWindowRecords("Signal");
}

inline void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "round trip broken: %s\n", what);
        std::abort();
    }
}

// The content of the current direction as the pulse files carry it.
inline void RequireSameContent(const CLogicDocument& a, const CWindowRecords& ra, const CLogicDocument& b,
                               const CWindowRecords& rb) {
    const int d = a.Condition().Direction;
    Require(a.Condition() == b.Condition(), "condition");
    Require(*ra.Table(d) == *rb.Table(d), "channel table");
    Require(*ra.Bookmarks(d) == *rb.Bookmarks(d), "bookmarks");
    const uint32_t valid = a.ValidLengthOf(d);
    Require(valid == b.ValidLengthOf(d), "valid length");
    Require(a.Memory(d)->Length() == b.Memory(d)->Length(), "memory length");
    Require(std::memcmp(a.Memory(d)->Data(), b.Memory(d)->Data(), std::size_t{valid} * 4) == 0, "words");
}

// Memories up to this many words take part in the round trip; larger ones
// (a file may announce up to 100,000,000 words) would spend the fuzzing time
// writing and reading hundreds of megabytes.
constexpr uint32_t RoundTripWords = 65536;

// A document a reader accepted: every write the writers accept reads back the same.
inline void RequireRoundTrips(const CLogicDocument& document, const CWindowRecords& records) {
    if (document.Memory(document.Condition().Direction)->Length() > RoundTripWords) {
        return;
    }
    CHeadlessFileWindow window;
    for (const char* name : {"round.csv", "round.vpb"}) {
        const std::string path = TempPath(name);
        const bool text = name[6] == 'c';
        const FileResult written = text ? WritePulseTextFile(document, records, window, path)
                                        : WritePulseBinaryFile(document, records, window, path);
        if (!written) {
            Require(written.MessageId == 64516, "write failure id");
            continue;
        }
        static CLogicDocument again("");
        static CWindowRecords againRecords("Signal");
        Reset(again, againRecords);
        const FileResult read = text ? ReadPulseTextFile(again, againRecords, window, path)
                                     : ReadPulseBinaryFile(again, againRecords, window, path);
        std::remove(path.c_str());
        Require(read.Ok, "written file refused");
        RequireSameContent(document, records, again, againRecords);
    }
}

// One fuzzing run: the input as a file, read by `read(document, records,
// window, path)` into a document brought back to its start state; with
// `roundTrip`, whatever the reader accepted must survive a write and a read
// in both pulse formats.
template <class Reader>
int Run(const uint8_t* data, std::size_t size, Reader read, bool roundTrip = false) {
    const CInputFile input(data, size);
    static CLogicDocument document("");
    static CWindowRecords records("Signal");
    Reset(document, records);
    CHeadlessFileWindow window;
    window.TargetChannel = static_cast<int>(size % 32);
    const FileResult result = read(document, records, window, input.Path());
    if (roundTrip && result) {
        RequireRoundTrips(document, records);
    }
    return 0;
}

}  // namespace fuzz
