#pragma once
#include <cstdint>

class CRunState;

// Collects every sampled word into the two alternating half-buffers and asks
// the window thread to write them into block files of SamplingBufferSize
// words. The thread never stores into a half the window thread has not
// written yet, and a source buffer the board lapped stops the run, so a block
// file never holds a wrong word.
class CAutoSaveThread {
public:
    explicit CAutoSaveThread(CRunState& state);

    // Thread body. Always ends with a close request for the open file, so the
    // collected words are written whatever ended the thread.
    void Run();

private:
    enum class Outcome { Continue, Finish };

    [[nodiscard]] Outcome Pass();
    [[nodiscard]] Outcome Take(uint64_t total);
    [[nodiscard]] bool WaitForWriterHalf(bool& waited);
    void HandOver(uint32_t piece);
    void Finish();

    CRunState& m_state;
    const uint32_t* m_source = nullptr;
    uint32_t m_sourceLength = 0;
    uint64_t m_taken = 0;  // words taken from the source since the start
    uint32_t m_fill = 0;
    uint32_t m_fileWords = 0;
    int m_writer = 0;
    bool m_endSeen = false;
};
