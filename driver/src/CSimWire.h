// The bench wire between the output lines of a generating board and the
// inputs of every board whose input source is the loopback.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "SimPace.h"

namespace qdxsim {

class CSimWire {
public:
    CSimWire();
    CSimWire(const CSimWire&) = delete;
    CSimWire& operator=(const CSimWire&) = delete;

    // Generator side. Attach starts a new run on the wire (the last attached
    // run drives it) and returns its serial; originNs receives the run's
    // time origin, taken under the wire's lock so that no sampler has looked
    // past it yet.
    [[nodiscard]] uint64_t Attach(SIM_PACE pace, uint64_t delayNs, uint64_t& originNs);
    void BeginData(uint64_t serial, uint64_t firstTick);
    // words are the words of generator ticks [firstTick + produced, ...);
    // every tick below processedTick is now determined.
    void Publish(uint64_t serial, const uint32_t* words, uint64_t count, uint64_t processedTick);
    void Progress(uint64_t serial, uint64_t processedTick);
    void Detach(uint64_t serial);
    // Output latch written outside a run: becomes the level of an idle wire.
    void SetLatch(uint32_t level);

    // Sampler side: fills out[i] with the wire's level at the start of
    // sampler tick firstTick + i, for a sampler with the given origin and
    // pace. Returns how many words are determined (fewer than count when the
    // generator has not produced them yet).
    [[nodiscard]] uint64_t Sample(uint64_t originNs, SIM_PACE pace, uint64_t firstTick, uint64_t count,
                                  uint32_t* out) const;
    [[nodiscard]] uint32_t LevelNow() const;

private:
    static constexpr uint64_t kHistoryWords = 1u << 20;

    [[nodiscard]] uint32_t WordAtLocked(uint64_t tick) const;

    mutable std::mutex m_lock;
    std::vector<uint32_t> m_history;
    uint64_t m_serial = 0;
    bool m_attached = false;  // a run was attached (and may have ended)
    bool m_running = false;   // the attached run still produces words
    SIM_PACE m_pace;
    uint64_t m_originNs = 0;
    uint64_t m_dataStart = UINT64_MAX;
    uint64_t m_produced = 0;
    uint64_t m_processed = 0;
    uint32_t m_levelBefore = 0;
    uint32_t m_level = 0;
};

}  // namespace qdxsim
