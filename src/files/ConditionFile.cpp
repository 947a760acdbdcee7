#include "files/ConditionFile.h"

#include "document/CLogicDocument.h"
#include "files/CComFileRW.h"
#include "files/CConditionFields.h"
#include "files/CPulseLoad.h"

FileResult WriteConditionFile(const CLogicDocument& document, const std::string& path) {
    const LOGIC_CONDITION& condition = document.Condition();
    const CLogicMemory* memory = document.Memory(condition.Direction);
    if (memory == nullptr) {
        return FileResult::SaveFailed("the direction is neither sampling nor generating");
    }
    std::string problem = CConditionFields::SizeProblem(memory->Length());
    if (problem.empty()) {
        problem = CConditionFields::TextProblem(condition, "\r\n");
    }
    if (!problem.empty()) {
        return FileResult::SaveFailed(problem);
    }
    CComFileRW file;
    return file.WriteText(path, CComFileRW::ConditionText(condition, memory->Length()));
}

FileResult ReadConditionFile(CLogicDocument& document, IFileWindow& window, const std::string& path) {
    CComFileRW file;
    KEY_VALUES values;
    STAGED_CONDITION staged;
    FileResult result = file.OpenRead(path);
    if (result) {
        result = file.ReadKeyValues(values);
    }
    if (result) {
        result = CConditionFields::Stage(document, values, CConditionFields::Kind::Condition, staged);
    }
    if (result) {
        result = CConditionFields::ResizeFor(document, staged);
    }
    if (!result) {
        return result;
    }
    CConditionFields::Apply(document, staged, CConditionFields::Kind::Condition);
    CPulseLoad::DeviceStep(document, window);
    return FileResult::Success();
}
