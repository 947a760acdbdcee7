#pragma once
#include <cstdint>

class CRunState;

// Model type 0: moves the words the board wrote into the ring buffer into
// the sampling memory, in ring order, wrapping at the end of the memory.
class CCopyThread {
public:
    explicit CCopyThread(CRunState& state) : m_state(state) {}

    // Thread body: polls every half clock period until the board reports the
    // transfer ended with no word pending, a query fails, the ring is lapped
    // (the run is then stopped) or the window ends the threads.
    void Run();

    // Copies `count` words starting at ring slot `from` (in ring order) to
    // the memory from `destination` on, wrapping at `memoryLength`. Returns
    // the next destination index.
    static uint32_t CopyRing(const uint32_t* ring, uint32_t ringLength, uint32_t from, uint64_t count,
                             uint32_t* memory, uint32_t memoryLength, uint32_t destination);

private:
    [[nodiscard]] bool Pass(bool& ended);

    CRunState& m_state;
    uint64_t m_copied = 0;
    uint32_t m_destination = 0;
    bool m_endSeen = false;
};
