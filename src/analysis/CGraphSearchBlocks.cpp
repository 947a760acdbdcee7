#include "analysis/CGraphSearchBlocks.h"

#include "document/CLogicMemory.h"
#include "graph/CGraphModel.h"

std::size_t CGraphSearchBlocks::BlockCount() const {
    return m_model.BlockCount();
}

bool CGraphSearchBlocks::LoadBlock(std::size_t index) {
    return m_model.LoadSavedBlock(index, m_reader) == BLOCK_LOAD::Loaded;
}

const uint32_t* CGraphSearchBlocks::Words() const {
    return m_model.Memory() != nullptr ? m_model.Memory()->Data() : nullptr;
}

uint32_t CGraphSearchBlocks::ValidWords() const {
    return m_model.Memory() != nullptr ? static_cast<uint32_t>(m_model.ValidLength()) : 0;
}
