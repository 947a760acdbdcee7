#include "device/CCopyThread.h"

#include <algorithm>
#include <cstring>

#include "device/CRunPacer.h"
#include "device/CRunState.h"
#include "qdxapi.h"

uint32_t CCopyThread::CopyRing(const uint32_t* ring, uint32_t ringLength, uint32_t from, uint64_t count,
                               uint32_t* memory, uint32_t memoryLength, uint32_t destination) {
    while (count > 0) {
        const uint64_t piece = std::min<uint64_t>({count, uint64_t{ringLength} - from,
                                                   uint64_t{memoryLength} - destination});
        std::memcpy(memory + destination, ring + from, piece * sizeof(uint32_t));
        from = static_cast<uint32_t>((from + piece) % ringLength);
        destination = static_cast<uint32_t>((destination + piece) % memoryLength);
        count -= piece;
    }
    return destination;
}

void CCopyThread::Run() {
    const uint64_t pause = m_state.Settings.PeriodNs / 2;
    bool ended = false;
    bool failed = false;
    while (!ended && !failed && CRunPacer::Pause(pause, m_state.EndThreads)) {
        failed = !Pass(ended);
    }
    if (!ended && !failed) {
        // The window ends the run (the transfer has stopped): copy the rest.
        (void)Pass(ended);
    }
    m_state.CopyEnded();
}

bool CCopyThread::Pass(bool& ended) {
    uint32_t count = 0;
    if (!m_state.QueryCount(count)) {
        return false;
    }
    const uint64_t total = CRunState::Extend(m_copied, count);
    const auto ringLength = static_cast<uint32_t>(m_state.RingBuffer.size());
    if (total == m_copied) {
        // The status matters only when no word came: words counted before
        // an earlier "ended" status are all taken then.
        uint32_t status = 0;
        if (!m_state.QueryStatus(status)) {
            return false;
        }
        ended = m_endSeen;
        m_endSeen = (status & QDX_STATUS_ENDED) != 0;
        return true;
    }
    if (!CRunState::Intact(m_copied, total, ringLength)) {
        m_state.PostOverflow();
        return false;
    }
    m_destination = CopyRing(m_state.RingBuffer.data(), ringLength, static_cast<uint32_t>(m_copied % ringLength),
                             total - m_copied, m_state.SamplingWords, m_state.SamplingLength, m_destination);
    if (CRunState::NeedsRecheck(m_copied, total, ringLength)) {
        uint32_t after = 0;
        if (!m_state.QueryCount(after)) {
            return false;
        }
        if (!CRunState::Intact(m_copied, CRunState::Extend(total, after), ringLength)) {
            m_state.PostOverflow();
            return false;
        }
    }
    m_copied = total;
    m_state.PublishCopied(total);
    return true;
}
