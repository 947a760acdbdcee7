#include "files/PulseTextFile.h"

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CCsvFileRW.h"
#include "files/CConditionFields.h"
#include "files/CPulseLoad.h"
#include "files/IFileWindow.h"

FileResult WritePulseTextFile(const CLogicDocument& document, const CWindowRecords& records, IFileWindow& window,
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
    CCsvFileRW file;
    FileResult result = file.Create(path);
    if (result) {
        result = file.WriteHeader(condition, memory->Length(), *records.Table(direction),
                                  *records.Bookmarks(direction));
    }
    if (result) {
        result = file.AppendWords(memory->Data(), document.ValidLengthOf(direction));
    }
    if (result) {
        result = file.Finish();
    }
    if (result) {
        window.SetTitleAndPath(path);
    }
    return result;
}

FileResult ReadPulseTextFile(CLogicDocument& document, CWindowRecords& records, IFileWindow& window,
                             const std::string& path) {
    CCsvFileRW file;
    file.SetProgress([&window](uint64_t done, uint64_t total) { window.ReportProgress(done, total); });
    PULSE_CONTENT content;
    FileResult result = file.OpenRead(path);
    if (result) {
        result = file.ReadHeader(document, content);
    }
    if (result) {
        result = CPulseLoad::Apply(document, records, content);
    }
    if (!result) {
        return result;
    }
    CLogicMemory& memory = *document.Memory(content.Direction());
    uint32_t stored = 0;
    result = file.ReadWords(memory.Data(), memory.Length(), stored);
    CPulseLoad::Finish(document, window, content.Direction(), stored, path);
    return result;
}

FileResult ReadPulseTextBlock(CLogicDocument& document, IFileWindow& window, const std::string& path) {
    FileResult result = CPulseLoad::CheckBlockTarget(document);
    CCsvFileRW file;
    if (result) {
        result = file.OpenRead(path);
    }
    if (result) {
        result = file.SkipToData();
    }
    if (!result) {
        return result;
    }
    CLogicMemory& memory = document.SamplingMemory();
    uint32_t stored = 0;
    result = file.ReadWords(memory.Data(), memory.Length(), stored);
    document.LastCount.store(stored);
    window.SetTitleAndPath(path);
    return result;
}
