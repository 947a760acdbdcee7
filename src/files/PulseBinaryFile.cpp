#include "files/PulseBinaryFile.h"

#include <algorithm>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CConditionFields.h"
#include "files/CPulseLoad.h"
#include "files/CVpbFileRW.h"
#include "files/IFileWindow.h"
#include "resources/StringIds.h"

FileResult WritePulseBinaryFile(const CLogicDocument& document, const CWindowRecords& records, IFileWindow& window,
                                const std::string& path) {
    const LOGIC_CONDITION& condition = document.Condition();
    const int direction = condition.Direction;
    const CLogicMemory* memory = document.Memory(direction);
    if (memory == nullptr) {
        return FileResult::SaveFailed("the direction is neither sampling nor generating");
    }
    if (const std::string problem = CConditionFields::SizeProblem(memory->Length()); !problem.empty()) {
        return FileResult::SaveFailed(problem);
    }
    const uint32_t words = document.ValidLengthOf(direction);
    CVpbFileRW file;
    FileResult result = file.Create(path);
    if (result) {
        result = file.WriteHeader(condition, memory->Length(), *records.Table(direction),
                                  *records.Bookmarks(direction), words);
    }
    if (result) {
        result = file.AppendWords(memory->Data(), words);
    }
    if (result) {
        result = file.Finish();
    }
    if (result) {
        window.SetTitleAndPath(path);
    }
    return result;
}

FileResult ReadPulseBinaryFile(CLogicDocument& document, CWindowRecords& records, IFileWindow& window,
                               const std::string& path) {
    CVpbFileRW file;
    file.SetProgress([&window](uint64_t done, uint64_t total) { window.ReportProgress(done, total); });
    PULSE_CONTENT content;
    uint32_t announced = 0;
    FileResult result = file.OpenRead(path);
    if (result) {
        result = file.ReadHeader(document, content);
    }
    if (result) {
        result = file.ReadWordCount(announced);
    }
    if (result) {
        result = CPulseLoad::Apply(document, records, content);
    }
    if (!result) {
        return result;
    }
    const uint32_t stored = std::min(content.Staged.Size, announced);
    result = file.ReadWords(document.Memory(content.Direction())->Data(), stored);
    CPulseLoad::Finish(document, window, content.Direction(), stored, path);
    return result;
}

FileResult ReadPulseBinaryBlock(CLogicDocument& document, IFileWindow& window, const std::string& path) {
    FileResult result = CPulseLoad::CheckBlockTarget(document);
    CVpbFileRW file;
    PULSE_CONTENT content;
    uint32_t announced = 0;
    if (result) {
        result = file.OpenRead(path);
    }
    if (result) {
        result = file.ReadHeader(document, content);
    }
    if (result) {
        result = file.ReadWordCount(announced);
    }
    if (!result) {
        return result;
    }
    CLogicMemory& memory = document.SamplingMemory();
    const uint32_t stored = std::min(content.Staged.Size, announced);
    if (stored > memory.Length()) {
        return {false, IDS_IMPROPER_ARGUMENT,
                "the block holds " + std::to_string(stored) + " words but the sampling memory only " +
                    std::to_string(memory.Length())};
    }
    result = file.ReadWords(memory.Data(), stored);
    document.LastCount.store(stored);
    window.SetTitleAndPath(path);
    return result;
}
