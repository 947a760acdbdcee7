#pragma once
#include <memory>
#include <string>

class CBlockFiles;
class CLogicDocument;
class CRunState;
class CWindowRecords;
class IRunWindow;

// The window thread's side of the auto-save: carries out the block requests
// of the auto-save thread (open, write, write and close) under SaveLock,
// hands the written halves back and keeps the document's title on the file
// being written. The first file that cannot be created or written ends the
// writing of the run: no further block is opened, and the failure is told
// once.
class CAutoSaveWriter {
public:
    CAutoSaveWriter(CRunState& state, CLogicDocument& document, CWindowRecords& records, IRunWindow& window);
    ~CAutoSaveWriter();
    CAutoSaveWriter(const CAutoSaveWriter&) = delete;
    CAutoSaveWriter& operator=(const CAutoSaveWriter&) = delete;

    // A new run: its blocks may be opened again.
    void StartRun() { m_failed = false; }
    // Carries out the oldest queued request. False when none was queued.
    // `failure` gets the reason, naming the file, when this request failed.
    [[nodiscard]] bool CarryOutNext(std::string& failure);

private:
    void OpenBlock(std::string& failure);
    void WriteHalf(uint32_t words, bool close, std::string& failure);

    CRunState& m_state;
    CLogicDocument& m_document;
    IRunWindow& m_window;
    std::unique_ptr<CBlockFiles> m_blocks;
    bool m_failed = false;
};
