#pragma once
#include <string>

// The temporary files that writes create beside their targets and have not
// renamed yet. They sit in fixed slots that a signal handler can walk without
// locks or allocation, so an interrupted program removes them on its way out.
class CTemporaryFiles {
public:
    // ".nvtmp-" and eight letters or digits: the same length for every target.
    [[nodiscard]] static std::string Name(unsigned attempt);
    // The slot that now holds `path`, or -1 when every slot is taken (the
    // file is then simply not removed by RemoveAll).
    [[nodiscard]] static int Register(const std::string& path);
    static void Release(int slot);
    // Unlinks every registered file; safe inside a signal handler.
    static void RemoveAll() noexcept;
};
