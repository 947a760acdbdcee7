#include "document/CLogicDocument.h"

CLogicDocument::CLogicDocument(std::string defaultAutoSavePath) {
    m_condition.AutoSavePath = std::move(defaultAutoSavePath);
    m_condition.SamplingBufferSize = m_sampling.Length();
}

void CLogicDocument::NotifyViews() const {
    if (m_notifier) {
        m_notifier();
    }
}

int16_t CLogicDocument::ModelTypeOf(const std::string& deviceType, int16_t current) {
    if (deviceType == "QDX-32C-PE") {
        return MODEL_TYPE_C;
    }
    if (deviceType == "QDX-32A-PE" || deviceType == "QDX-32A(PCI)") {
        return MODEL_TYPE_A;
    }
    return current;
}

void CLogicDocument::SetDevice(const std::string& deviceType, const std::string& deviceName) {
    m_condition.DeviceDesc = deviceType;
    m_condition.DeviceName = deviceName;
    m_condition.ModelType = ModelTypeOf(deviceType, m_condition.ModelType);
    NotifyViews();
}

int16_t CLogicDocument::GetMaxChannels(int direction) const {
    const DIRECTION_GROUP* group = m_condition.Group(direction);
    return group != nullptr ? group->MaxChannels : static_cast<int16_t>(0xFFFF);
}

void CLogicDocument::SetClockType(int direction, int16_t clockType) {
    if (DIRECTION_GROUP* group = m_condition.Group(direction)) {
        group->ClockType = clockType;
    }
    NotifyViews();
}

int16_t CLogicDocument::GetClockType(int direction) const {
    const DIRECTION_GROUP* group = m_condition.Group(direction);
    return group != nullptr ? group->ClockType : static_cast<int16_t>(0xFFFF);
}

void CLogicDocument::SetClock(int direction, uint32_t clock, int16_t unit) {
    if (DIRECTION_GROUP* group = m_condition.Group(direction)) {
        group->Clock = clock;
        group->ClockUnit = unit;
    }
    NotifyViews();
}

void CLogicDocument::SetStartTrigger(int direction, int16_t trigger) {
    if (DIRECTION_GROUP* group = m_condition.Group(direction)) {
        group->StartTrigger = trigger;
    }
    NotifyViews();
}

int16_t CLogicDocument::GetStartTrigger(int direction) const {
    const DIRECTION_GROUP* group = m_condition.Group(direction);
    return group != nullptr ? group->StartTrigger : static_cast<int16_t>(0xFFFF);
}

void CLogicDocument::SetStopTrigger(int direction, int16_t trigger) {
    if (DIRECTION_GROUP* group = m_condition.Group(direction)) {
        group->StopTrigger = trigger;
    }
    NotifyViews();
}

int16_t CLogicDocument::GetStopTrigger(int direction) const {
    const DIRECTION_GROUP* group = m_condition.Group(direction);
    return group != nullptr ? group->StopTrigger : static_cast<int16_t>(0xFFFF);
}

void CLogicDocument::SetStartPosition(int direction, uint32_t position) {
    if (DIRECTION_GROUP* group = m_condition.Group(direction)) {
        group->StartPosition = position;
    }
    NotifyViews();
}

uint32_t CLogicDocument::GetStartPosition(int direction) const {
    const DIRECTION_GROUP* group = m_condition.Group(direction);
    return group != nullptr ? group->StartPosition : 0;
}

void CLogicDocument::SetStopPosition(int direction, uint32_t position) {
    if (DIRECTION_GROUP* group = m_condition.Group(direction)) {
        group->StopPosition = position;
    }
    NotifyViews();
}

uint32_t CLogicDocument::GetStopPosition(int direction) const {
    const DIRECTION_GROUP* group = m_condition.Group(direction);
    return group != nullptr ? group->StopPosition : 0;
}

bool CLogicDocument::SetSize(int direction, uint32_t size, uint32_t repeat) {
    DIRECTION_GROUP* group = m_condition.Group(direction);
    CLogicMemory* memory = Memory(direction);
    bool resized = true;
    if (group != nullptr && memory != nullptr) {
        resized = memory->Resize(size);
        if (resized) {
            group->RepeatCount = repeat;
            if (direction == DIRECTION_SAMPLING) {
                m_condition.SamplingBufferSize = size;
            }
        }
    }
    NotifyViews();
    return resized;
}

bool CLogicDocument::SetBufferSize(uint32_t size) {
    bool resized = true;
    if (size != m_condition.SamplingBufferSize) {
        if (m_sampling.Resize(size)) {
            m_condition.SamplingBufferSize = size;
        } else {
            resized = false;
        }
    }
    NotifyViews();
    return resized;
}

void CLogicDocument::SetAutoSavePath(const std::string& path) {
    m_condition.AutoSavePath = path;
    NotifyViews();
}

void CLogicDocument::SetAutoSaveFileName(const std::string& name) {
    m_condition.AutoSaveFileName = name;
    NotifyViews();
}

CLogicMemory* CLogicDocument::Memory(int direction) {
    return direction == DIRECTION_SAMPLING     ? &m_sampling
           : direction == DIRECTION_GENERATING ? &m_generating
                                               : nullptr;
}

const CLogicMemory* CLogicDocument::Memory(int direction) const {
    return const_cast<CLogicDocument*>(this)->Memory(direction);
}

uint32_t CLogicDocument::ValidLength(uint32_t count, uint32_t length) {
    if (length == 0) {
        return 0;
    }
    if (count < length) {
        return count;
    }
    const uint32_t rest = count % length;
    return rest == 0 ? length : rest;
}

uint32_t CLogicDocument::ValidSamplingLength() const {
    return ValidLength(LastCount.load(std::memory_order_acquire), m_sampling.Length());
}

uint32_t CLogicDocument::ValidLengthOf(int direction) const {
    if (direction == DIRECTION_SAMPLING) {
        return ValidSamplingLength();
    }
    if (direction == DIRECTION_GENERATING) {
        return m_generating.Length();
    }
    return 0;
}

bool CLogicDocument::UsesBlocks() const {
    return m_condition.Direction == DIRECTION_SAMPLING && m_condition.AutoSave == 1;
}

uint64_t CLogicDocument::AbsolutePosition(uint32_t position) const {
    if (!UsesBlocks()) {
        return position;
    }
    return static_cast<uint64_t>(static_cast<uint32_t>(CurrentBlock.load())) *
               m_condition.SamplingBufferSize + position;
}
