#include "graph/CSavedBlockReader.h"

#include "document/IUserMessages.h"
#include "files/PulseBinaryFile.h"
#include "files/PulseTextFile.h"
#include "resources/CStringTable.h"

CSavedBlockReader::CSavedBlockReader(CLogicDocument& document, IFileWindow& window, IUserMessages& messages)
    : m_document(document), m_window(window), m_messages(messages) {}

bool CSavedBlockReader::ReadBlock(const std::string& path, bool binary) {
    const FileResult result = binary ? ReadPulseBinaryBlock(m_document, m_window, path)
                                     : ReadPulseTextBlock(m_document, m_window, path);
    if (!result) {
        m_messages.ShowMessage(LoadText(result.MessageId), MessageIcon::Error);
    }
    return result.Ok;
}
