// Fuzz target: ReadPulseTextFile.
#include "FuzzSupport.h"
#include "files/PulseTextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz::Run(
        data, size,
        [](CLogicDocument& document, CWindowRecords& records, CHeadlessFileWindow& window, const std::string& path) {
            return ReadPulseTextFile(document, records, window, path);
        }, true);
}
