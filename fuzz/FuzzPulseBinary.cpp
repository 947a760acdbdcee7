// Fuzz target: ReadPulseBinaryFile.
#include "FuzzSupport.h"
#include "files/PulseBinaryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz::Run(
        data, size,
        [](CLogicDocument& document, CWindowRecords& records, CHeadlessFileWindow& window, const std::string& path) {
            return ReadPulseBinaryFile(document, records, window, path);
        }, true);
}
