#include "files/CTemporaryFiles.h"

#include <limits.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>

namespace {
std::atomic<unsigned> g_temporaryCounter{0};

struct TEMPORARY_SLOT {
    std::atomic<int> State{0};  // 0 free, 1 being filled or emptied, 2 holds a path
    char Path[PATH_MAX + 1] = {};
};
constexpr int TemporarySlots = 32;
std::array<TEMPORARY_SLOT, TemporarySlots> g_temporaries;
}  // namespace

std::string CTemporaryFiles::Name(unsigned attempt) {
    static constexpr char Digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    uint64_t seed = static_cast<uint64_t>(::getpid()) * 0x9E3779B97F4A7C15ULL ^
                    static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                    (uint64_t{g_temporaryCounter.fetch_add(1)} << 40) ^ attempt;
    std::string name = ".nvtmp-";
    for (int i = 0; i < 8; ++i) {
        seed ^= seed >> 29;
        seed *= 0xBF58476D1CE4E5B9ULL;
        name += Digits[(seed >> 32) % 36];
    }
    return name;
}

int CTemporaryFiles::Register(const std::string& path) {
    if (path.size() > PATH_MAX) {
        return -1;
    }
    for (int i = 0; i < TemporarySlots; ++i) {
        int expected = 0;
        if (g_temporaries[i].State.compare_exchange_strong(expected, 1)) {
            std::memcpy(g_temporaries[i].Path, path.c_str(), path.size() + 1);
            g_temporaries[i].State.store(2);
            return i;
        }
    }
    return -1;
}

void CTemporaryFiles::Release(int slot) {
    if (slot >= 0 && slot < TemporarySlots) {
        g_temporaries[slot].State.store(1);
        g_temporaries[slot].Path[0] = '\0';
        g_temporaries[slot].State.store(0);
    }
}

void CTemporaryFiles::RemoveAll() noexcept {
    for (TEMPORARY_SLOT& slot : g_temporaries) {
        if (slot.State.load() == 2) {
            ::unlink(slot.Path);
        }
    }
}
