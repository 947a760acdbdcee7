#include "analysis/CFileSearchBlocks.h"

#include "document/CLogicDocument.h"
#include "files/PulseBinaryFile.h"
#include "files/PulseFile.h"
#include "files/PulseTextFile.h"

bool CFileSearchBlocks::LoadBlock(std::size_t index) {
    if (index >= m_paths.size()) {
        m_failure = FileResult::ReadRefused("no such block");
        return false;
    }
    const std::string& path = m_paths[index];
    m_failure = IsPulseTextPath(path) ? ReadPulseTextBlock(m_document, m_window, path)
                                      : ReadPulseBinaryBlock(m_document, m_window, path);
    if (m_failure) {
        m_document.CurrentBlock.store(static_cast<int32_t>(index));
    }
    return m_failure.Ok;
}

const uint32_t* CFileSearchBlocks::Words() const {
    const CLogicMemory* memory = m_document.Memory(m_document.Condition().Direction);
    return memory != nullptr ? memory->Data() : nullptr;
}

uint32_t CFileSearchBlocks::ValidWords() const {
    return m_document.ValidLengthOf(m_document.Condition().Direction);
}
