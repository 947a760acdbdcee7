#include "files/PulseFile.h"

#include "files/PulseBinaryFile.h"
#include "files/PulseTextFile.h"

bool IsPulseTextPath(const std::string& path) {
    return path.size() >= 3 && path.compare(path.size() - 3, 3, "csv") == 0;
}

FileResult ReadPulseFile(CLogicDocument& document, CWindowRecords& records, IFileWindow& window,
                         const std::string& path) {
    return IsPulseTextPath(path) ? ReadPulseTextFile(document, records, window, path)
                                 : ReadPulseBinaryFile(document, records, window, path);
}

FileResult WritePulseFile(const CLogicDocument& document, const CWindowRecords& records, IFileWindow& window,
                          const std::string& path) {
    return IsPulseTextPath(path) ? WritePulseTextFile(document, records, window, path)
                                 : WritePulseBinaryFile(document, records, window, path);
}
