#include "device/CRunState.h"

#include "device/IWindowPoster.h"
#include "device/RunLocks.h"
#include "device/RunMessages.h"

CRunState::CRunState(const RUN_DRIVER_CALLS& driver, CLogicDocument& document, IWindowPoster& poster)
    : Driver(driver), Document(document), Poster(poster) {}

void CRunState::ResetCounters() {
    EndThreads.store(false, std::memory_order_release);
    CopiedWords.store(0, std::memory_order_release);
    SavedWords.store(0, std::memory_order_release);
    WrittenWords.store(0, std::memory_order_release);
    HalfPending[0].store(false, std::memory_order_release);
    HalfPending[1].store(false, std::memory_order_release);
    ReaderIndex = 0;
    std::lock_guard lock(m_requestLock);
    m_requests.clear();
}

void CRunState::PostBlock(BlockRequest kind, uint32_t words, int half) {
    if (kind != BlockRequest::Open) {
        HalfPending[half].store(true, std::memory_order_release);
    }
    {
        std::lock_guard lock(m_requestLock);
        m_requests.push_back({kind, words});
    }
    Poster.PostMessage(WM_AUTOSAVE_BLOCK, static_cast<uintptr_t>(kind), static_cast<intptr_t>(words));
}

bool CRunState::TakeBlock(BLOCK_REQUEST& request) {
    std::lock_guard lock(m_requestLock);
    if (m_requests.empty()) {
        return false;
    }
    request = m_requests.front();
    m_requests.pop_front();
    return true;
}

bool CRunState::BlocksQueued() const {
    std::lock_guard lock(m_requestLock);
    return !m_requests.empty();
}

void CRunState::PostOverflow() {
    Poster.PostMessage(WM_STOP_RUN, 0, 0);
    Poster.PostMessage(WM_FILE_WRITE_ERROR, 0, 0);
    Poster.PostMessage(WM_RUN_OVERFLOW, 0, 0);
}

void CRunState::PublishCopied(uint64_t words) {
    {
        std::lock_guard lock(m_publishLock);
        CopiedWords.store(words, std::memory_order_release);
    }
    m_published.notify_all();
}

void CRunState::CopyEnded() {
    {
        std::lock_guard lock(m_publishLock);
        CopyAlive.store(false, std::memory_order_release);
    }
    m_published.notify_all();
}

void CRunState::RequestEnd() {
    {
        std::lock_guard lock(m_publishLock);
        EndThreads.store(true, std::memory_order_release);
    }
    m_published.notify_all();
}

bool CRunState::WaitForCopied(uint64_t seen, uint64_t timeoutNs) {
    std::unique_lock lock(m_publishLock);
    m_published.wait_for(lock, std::chrono::nanoseconds(timeoutNs), [&] {
        return CopiedWords.load(std::memory_order_acquire) != seen || !CopyAlive.load(std::memory_order_acquire) ||
               EndThreads.load(std::memory_order_acquire);
    });
    return !EndThreads.load(std::memory_order_acquire);
}

bool CRunState::QueryCountStatus(uint32_t& count, uint32_t& carry, uint32_t& status) {
    uint32_t errorBits = 0;
    std::lock_guard lock(DriverLock());
    return Driver.DioDmGetCount(DeviceId, 1, &count, &carry) == 0 &&
           Driver.DioDmGetStatus(DeviceId, 1, &status, &errorBits) == 0;
}

bool CRunState::QueryCount(uint32_t& count) {
    uint32_t carry = 0;
    return QueryCount(count, carry);
}

bool CRunState::QueryCount(uint32_t& count, uint32_t& carry) {
    std::lock_guard lock(DriverLock());
    return Driver.DioDmGetCount(DeviceId, 1, &count, &carry) == 0;
}

bool CRunState::QueryStatus(uint32_t& status) {
    uint32_t errorBits = 0;
    std::lock_guard lock(DriverLock());
    return Driver.DioDmGetStatus(DeviceId, 1, &status, &errorBits) == 0;
}

bool CRunState::Intact(uint64_t first, uint64_t countAfter, uint32_t length) {
    // The board moves words in bursts and publishes the count after each
    // burst, so words up to a quarter of the buffer ahead of the count may
    // already be overwritten.
    const uint64_t reach = length - length / 4;
    return countAfter <= first + reach;
}

uint64_t CRunState::Extend(uint64_t previous, uint32_t count) {
    return previous + static_cast<uint32_t>(count - static_cast<uint32_t>(previous));
}
