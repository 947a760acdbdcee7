// Fuzz target: ReadPulseTextFile.
#include "FuzzSupport.h"
#include "files/PulseTextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const fuzz::CInputFile input(data, size);
    static CLogicDocument document("");
    static CWindowRecords records("Signal");
    fuzz::Reset(document, records);
    CHeadlessFileWindow window;
    window.TargetChannel = static_cast<int>(size % 32);
    const FileResult result = ReadPulseTextFile(document, records, window, input.Path());
    if (result) {
        fuzz::RequireRoundTrips(document, records);
    }
    return 0;
}
