// Fuzz target: ReadPulseBinaryBlock.
#include "FuzzSupport.h"
#include "files/PulseBinaryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz::Run(
        data, size,
        [](CLogicDocument& document, CWindowRecords&, CHeadlessFileWindow& window, const std::string& path) {
            return ReadPulseBinaryBlock(document, window, path);
        });
}
