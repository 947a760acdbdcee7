#include "device/CAutoSaveWriter.h"

#include <algorithm>
#include <mutex>

#include "device/CBlockFiles.h"
#include "device/CRunState.h"
#include "device/IRunWindow.h"
#include "device/RunLocks.h"
#include "document/CLogicDocument.h"

CAutoSaveWriter::CAutoSaveWriter(CRunState& state, CLogicDocument& document, CWindowRecords& records,
                                 IRunWindow& window)
    : m_state(state), m_document(document), m_window(window),
      m_blocks(std::make_unique<CBlockFiles>(document, records)) {}

CAutoSaveWriter::~CAutoSaveWriter() = default;

bool CAutoSaveWriter::CarryOutNext(std::string& failure) {
    BLOCK_REQUEST request;
    if (!m_state.TakeBlock(request)) {
        return false;
    }
    std::lock_guard lock(SaveLock());
    if (request.Kind == BlockRequest::Open) {
        OpenBlock(failure);
    } else {
        WriteHalf(request.Words, request.Kind == BlockRequest::WriteAndClose, failure);
    }
    return true;
}

void CAutoSaveWriter::OpenBlock(std::string& failure) {
    if (m_failed) {
        return;
    }
    if (!m_blocks->Open(failure)) {
        m_failed = true;
        return;
    }
    m_window.SetDocumentTitle(m_blocks->FileName() + "  Saving...");
}

// The reader half goes to the open file (if any) and back to the thread,
// whatever became of the file.
void CAutoSaveWriter::WriteHalf(uint32_t words, bool close, std::string& failure) {
    const int half = m_state.ReaderIndex;
    const uint32_t count = std::min(words, CRunState::HalfWords);
    const bool open = m_blocks->IsOpen();
    if (open && !m_blocks->Write(m_state.SaveBuffers[half].data(), count, failure)) {
        m_failed = true;
    }
    if (close && m_blocks->IsOpen() && !m_blocks->Close(failure)) {
        m_failed = true;
    }
    if (close && open) {
        const std::vector<std::string>& files = m_document.AutoSavedFiles;
        if (!files.empty()) {
            m_window.SetDocumentTitle(files.back());
            m_window.SetDocumentPath(files.back());
        }
    }
    m_state.WrittenWords.fetch_add(count, std::memory_order_release);
    m_state.HalfPending[half].store(false, std::memory_order_release);
    m_state.ReaderIndex = half ^ 1;
}
