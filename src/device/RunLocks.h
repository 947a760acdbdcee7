#pragma once
#include <mutex>

// The two process-wide locks of a run: DriverLock around the worker threads'
// board queries, SaveLock around opening, writing and closing block files.
[[nodiscard]] std::mutex& DriverLock();
[[nodiscard]] std::mutex& SaveLock();
