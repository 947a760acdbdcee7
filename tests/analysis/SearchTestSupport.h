#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "graph/CGraphModel.h"
#include "graph/IBlockReader.h"
#include "support/CScriptedMessages.h"

// Block files kept in memory: reading one copies its words into the
// sampling memory as the block readers do; a path without words fails and
// leaves half-written garbage behind, as a broken file can.
class CMemoryBlockReader : public IBlockReader {
public:
    explicit CMemoryBlockReader(CLogicDocument& document) : m_document(document) {}
    [[nodiscard]] bool ReadBlock(const std::string& path, bool) override;

    std::map<std::string, std::vector<uint32_t>> Files;
    std::vector<std::string> Reads;

private:
    CLogicDocument& m_document;
};

// A document with one window's records and a laid-out graph model.
class CSearchFixture {
public:
    explicit CSearchFixture(int direction = DIRECTION_GENERATING, uint32_t words = 1000);

    // Sets the bit of channel k at the clocks given.
    void SetBits(int channel, std::initializer_list<uint32_t> clocks);
    void Select(int anchorClock, int anchorRow, int currentClock, int currentRow);
    // An auto-saved run of blocks of `size` words; block 0 is shown.
    void MakeBlocks(const std::vector<std::vector<uint32_t>>& blocks, uint32_t size);

    CLogicDocument Document{"/tmp"};
    CWindowRecords Records{"Signal"};
    CGraphModel Model{Document, Records, 1.0f};
    CScriptedMessages Messages;
    CMemoryBlockReader Reader{Document};
};
