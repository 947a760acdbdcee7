// Limits of the board models the library simulates.
#pragma once

#include <cstdint>
#include <string>

namespace qdxsim {

struct SIM_MODEL {
    uint64_t MinPeriodNs = 50;            // fastest internal clock
    uint64_t MaxPeriodNs = 107000000000;  // slowest internal clock
    uint64_t MaxRate = 20000000;          // words per second on any clock
    int16_t BusKind = 1;                  // 1 PCI Express, 2 PCI
};

// The QDX-32C-PE runs down to 20 ns and up to 21 s; every other type is
// treated like the QDX-32A family (50 ns .. 107 s).
[[nodiscard]] SIM_MODEL ModelOfType(const std::string& type);

}  // namespace qdxsim
