#include "SearchTestSupport.h"

#include <algorithm>

bool CMemoryBlockReader::ReadBlock(const std::string& path, bool) {
    Reads.push_back(path);
    CLogicMemory& memory = m_document.SamplingMemory();
    const auto found = Files.find(path);
    if (found == Files.end()) {
        std::fill(memory.Data(), memory.Data() + memory.Length() / 2, 0xDEADBEEFu);
        return false;
    }
    std::copy(found->second.begin(), found->second.end(), memory.Data());
    m_document.LastCount.store(static_cast<uint32_t>(found->second.size()));
    return true;
}

CSearchFixture::CSearchFixture(int direction, uint32_t words) {
    Document.Condition().Direction = static_cast<int16_t>(direction);
    if (direction == DIRECTION_SAMPLING) {
        (void)Document.SetBufferSize(words);
        Document.LastCount.store(words);
    } else {
        (void)Document.SetSize(DIRECTION_GENERATING, words, 1);
    }
    Model.Layout(1000, 1200);
    Model.OnDocumentUpdate();
}

void CSearchFixture::SetBits(int channel, std::initializer_list<uint32_t> clocks) {
    CLogicMemory& memory = *Document.Memory(Document.Condition().Direction);
    for (const uint32_t clock : clocks) {
        memory.SetBit(clock, channel);
    }
}

void CSearchFixture::Select(int anchorClock, int anchorRow, int currentClock, int currentRow) {
    Model.SetAnchor({anchorClock, anchorRow});
    Model.SetCurrent({currentClock, currentRow});
}

void CSearchFixture::MakeBlocks(const std::vector<std::vector<uint32_t>>& blocks, uint32_t size) {
    Document.Condition().Direction = DIRECTION_SAMPLING;
    Document.Condition().AutoSave = 1;
    Document.Condition().AutoSaveFileType = 1;
    (void)Document.SetBufferSize(size);
    Document.AutoSavedFiles.clear();
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const std::string path = "block" + std::to_string(b) + ".vpb";
        Document.AutoSavedFiles.push_back(path);
        Reader.Files[path] = blocks[b];
    }
    Model.OnDocumentUpdate();
    (void)Model.LoadSavedBlock(0, &Reader);
    Reader.Reads.clear();
}
