#include "shell/CAutoSaveTexts.h"

#include "document/LOGIC_CONDITION.h"
#include "resources/StringIds.h"

int CAutoSaveTexts::PathProblem(const std::string& path, int16_t fileType) {
    if (path.size() > MaxBytes) {
        return IDS_GRID_TEXT_TOO_LONG;
    }
    if (fileType == TextFileType && path.find_first_of(",\r\n") != std::string::npos) {
        return IDS_GRID_TEXT_CSV_CHARACTERS;
    }
    return 0;
}

int CAutoSaveTexts::PrefixProblem(const std::string& prefix, int16_t fileType) {
    if (const int problem = PathProblem(prefix, fileType); problem != 0) {
        return problem;
    }
    if (prefix.find('/') != std::string::npos || prefix.find("..") != std::string::npos) {
        return IDS_GRID_PREFIX_CHARACTERS;
    }
    return 0;
}

int CAutoSaveTexts::FileTypeProblem(const LOGIC_CONDITION& condition, int16_t fileType) {
    if (const int problem = PathProblem(condition.AutoSavePath, fileType); problem != 0) {
        return problem;
    }
    return PathProblem(condition.AutoSaveFileName, fileType);
}
