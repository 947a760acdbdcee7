#pragma once
#include <optional>
#include <string>
#include <vector>

#include "analysis/ISearchBlocks.h"
#include "files/FileResult.h"

class CLogicDocument;
class IFileWindow;

// The block files of one auto-saved run as the search reads them without a
// graph: the first file is read whole by the caller, the others are read
// with the block readers (data words only) into the sampling memory.
class CFileSearchBlocks final : public ISearchBlocks {
public:
    CFileSearchBlocks(CLogicDocument& document, IFileWindow& window, std::vector<std::string> paths)
        : m_document(document), m_window(window), m_paths(std::move(paths)) {}

    [[nodiscard]] std::size_t BlockCount() const override { return m_paths.size(); }
    [[nodiscard]] bool LoadBlock(std::size_t index) override;
    [[nodiscard]] const uint32_t* Words() const override;
    [[nodiscard]] uint32_t ValidWords() const override;

    // The reason the last block could not be read.
    [[nodiscard]] const FileResult& LastFailure() const { return m_failure; }

private:
    CLogicDocument& m_document;
    IFileWindow& m_window;
    std::vector<std::string> m_paths;
    FileResult m_failure;
};
