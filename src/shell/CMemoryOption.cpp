#include "shell/CMemoryOption.h"

#include <algorithm>

#include "document/CLogicDocument.h"
#include "shell/CConditionText.h"
#include "shell/CMemoryResize.h"

CMemoryOption::CMemoryOption(uint32_t samplingBufferSize)
    : m_multiplier(static_cast<int>(std::clamp<uint32_t>(samplingBufferSize / WordsPerStep, Lowest, Highest))) {}

bool CMemoryOption::OnEditChanged(const std::string& text) {
    const int32_t number = CConditionText::Number(text);
    if (number < Lowest || number > Highest) {
        m_multiplier = Fallback;
        return false;
    }
    m_multiplier = number;
    return true;
}

void CMemoryOption::Step(int steps) {
    const int span = Highest - Lowest + 1;
    m_multiplier = ((m_multiplier - Lowest + steps) % span + span) % span + Lowest;
}

bool CMemoryOption::Apply(CLogicDocument& document, IUserMessages& messages) const {
    if (document.IsRunning.load() != 0) {
        return false;
    }
    bool resized = true;
    if (Size() != document.Condition().SamplingBufferSize) {
        resized = CMemoryResize::Resize(document, DIRECTION_SAMPLING, Size(), messages);
    }
    document.NotifyViews();
    return resized;
}
