// Fuzz target: ReadPulseBinaryBlock.
#include "FuzzSupport.h"
#include "files/PulseBinaryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const fuzz::CInputFile input(data, size);
    static CLogicDocument document("");
    static CWindowRecords records("Signal");
    fuzz::Reset(document, records);
    CHeadlessFileWindow window;
    window.TargetChannel = static_cast<int>(size % 32);
    const FileResult result = ReadPulseBinaryBlock(document, window, input.Path());
    (void)records;
    (void)result;
    return 0;
}
