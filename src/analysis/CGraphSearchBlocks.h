#pragma once
#include "analysis/ISearchBlocks.h"

class CGraphModel;
class IBlockReader;

// The graph's memory as the search reads it: the valid words of the shown
// memory, and the auto-saved block files of the run, loaded into the graph.
class CGraphSearchBlocks final : public ISearchBlocks {
public:
    CGraphSearchBlocks(CGraphModel& model, IBlockReader* reader) : m_model(model), m_reader(reader) {}

    [[nodiscard]] std::size_t BlockCount() const override;
    [[nodiscard]] bool LoadBlock(std::size_t index) override;
    [[nodiscard]] const uint32_t* Words() const override;
    [[nodiscard]] uint32_t ValidWords() const override;

private:
    CGraphModel& m_model;
    IBlockReader* m_reader;
};
