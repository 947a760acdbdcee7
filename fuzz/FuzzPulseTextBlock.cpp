// Fuzz target: ReadPulseTextBlock.
#include "FuzzSupport.h"
#include "files/PulseTextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz::Run(
        data, size,
        [](CLogicDocument& document, CWindowRecords&, CHeadlessFileWindow& window, const std::string& path) {
            return ReadPulseTextBlock(document, window, path);
        });
}
