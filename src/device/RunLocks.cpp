#include "device/RunLocks.h"

std::mutex& DriverLock() {
    static std::mutex lock;
    return lock;
}

std::mutex& SaveLock() {
    static std::mutex lock;
    return lock;
}
