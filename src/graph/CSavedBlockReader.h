#pragma once
#include "graph/IBlockReader.h"

class CLogicDocument;
class IFileWindow;
class IUserMessages;

// Reads auto-saved blocks with the pulse file readers (data words only) and
// tells the user, with the error icon, when a block cannot be read.
class CSavedBlockReader final : public IBlockReader {
public:
    CSavedBlockReader(CLogicDocument& document, IFileWindow& window, IUserMessages& messages);

    [[nodiscard]] bool ReadBlock(const std::string& path, bool binary) override;

private:
    CLogicDocument& m_document;
    IFileWindow& m_window;
    IUserMessages& m_messages;
};
