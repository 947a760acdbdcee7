#include "device/CAutoSaveThread.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "device/CRunPacer.h"
#include "device/CRunState.h"
#include "qdxapi.h"

CAutoSaveThread::CAutoSaveThread(CRunState& state) : m_state(state) {
    if (state.Settings.ModelType == 0) {
        m_source = state.RingBuffer.data();
        m_sourceLength = static_cast<uint32_t>(state.RingBuffer.size());
    } else {
        m_source = state.SamplingWords;
        m_sourceLength = std::min(state.SamplingLength, state.Settings.SamplingBufferSize);
    }
}

void CAutoSaveThread::Run() {
    m_state.PostBlock(BlockRequest::Open, 0, 0);
    const uint64_t pause = m_state.Settings.PeriodNs * 10;
    bool finished = false;
    while (!finished && CRunPacer::Pause(pause, m_state.EndThreads)) {
        finished = Pass() == Outcome::Finish;
    }
    if (!finished) {
        // The window ends the run (the transfer has stopped): take the rest.
        (void)Pass();
    }
    Finish();
}

CAutoSaveThread::Outcome CAutoSaveThread::Pass() {
    uint32_t count = 0;
    uint32_t carry = 0;
    uint32_t status = 0;
    if (!m_state.QueryCountStatus(count, carry, status)) {
        return Outcome::Finish;
    }
    const uint64_t total = CRunState::Extend(m_taken, count);
    if (total == m_taken) {
        // Every word counted before an earlier "ended" status is saved.
        const bool ended = m_endSeen;
        m_endSeen = (status & QDX_STATUS_ENDED) != 0;
        return ended ? Outcome::Finish : Outcome::Continue;
    }
    m_endSeen = (status & QDX_STATUS_ENDED) != 0;
    if (!CRunState::Intact(m_taken, total, m_sourceLength)) {
        m_state.PostOverflow();
        return Outcome::Finish;
    }
    // Falling behind the file writing is not an overflow by itself: the
    // thread waits for a half to be written, and only a source the board
    // laps meanwhile stops the run.
    return Take(total);
}

// Takes the words up to `total` in pieces that stay inside the source, the
// writer half and the file, checking after each piece that the board had not
// overwritten it yet.
CAutoSaveThread::Outcome CAutoSaveThread::Take(uint64_t total) {
    const uint32_t fileLength = std::max<uint32_t>(m_state.Settings.SamplingBufferSize, 1);
    bool waited = false;
    while (m_taken < total) {
        if (m_fill == 0 && !WaitForWriterHalf(waited)) {
            return Outcome::Finish;
        }
        const auto slot = static_cast<uint32_t>(m_taken % m_sourceLength);
        const auto piece = static_cast<uint32_t>(std::min<uint64_t>(
            {total - m_taken, uint64_t{m_sourceLength} - slot, uint64_t{CRunState::HalfWords} - m_fill,
             uint64_t{fileLength} - m_fileWords}));
        std::memcpy(m_state.SaveBuffers[m_writer].data() + m_fill, m_source + slot, piece * sizeof(uint32_t));
        if (waited || CRunState::NeedsRecheck(m_taken, total, m_sourceLength)) {
            uint32_t after = 0;
            if (!m_state.QueryCount(after)) {
                return Outcome::Finish;
            }
            if (!CRunState::Intact(m_taken, CRunState::Extend(total, after), m_sourceLength)) {
                m_state.PostOverflow();
                return Outcome::Finish;
            }
        }
        m_taken += piece;
        HandOver(piece);
    }
    return Outcome::Continue;
}

void CAutoSaveThread::HandOver(uint32_t piece) {
    m_fill += piece;
    m_fileWords += piece;
    m_state.SavedWords.fetch_add(piece, std::memory_order_release);
    if (m_fill == CRunState::HalfWords) {
        m_state.PostBlock(BlockRequest::Write, CRunState::HalfWords, m_writer);
        m_writer ^= 1;
        m_fill = 0;
    }
    if (m_fileWords == m_state.Settings.SamplingBufferSize) {
        m_state.PostBlock(BlockRequest::WriteAndClose, m_fileWords % CRunState::HalfWords, m_writer);
        m_writer ^= 1;
        m_fileWords = 0;
        m_fill = 0;
        m_state.PostBlock(BlockRequest::Open, 0, 0);
    }
}

// The window thread may still be writing the half this thread is about to
// fill: wait for it (the source buffer is the slack), or give up when the
// window ends the threads.
bool CAutoSaveThread::WaitForWriterHalf(bool& waited) {
    // While ending, the window thread writes the halves as it waits for the
    // threads; it is given a few seconds before the words are given up.
    constexpr int EndingPolls = 25000;
    int endingPolls = 0;
    while (m_state.HalfPending[m_writer].load(std::memory_order_acquire)) {
        waited = true;
        if (m_state.EndThreads.load(std::memory_order_acquire) && ++endingPolls > EndingPolls) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::nanoseconds(CRunPacer::ShortestPauseNs));
    }
    return true;
}

void CAutoSaveThread::Finish() {
    m_state.PostBlock(BlockRequest::WriteAndClose, m_fill, m_writer);
    m_state.SaveAlive.store(false, std::memory_order_release);
}
