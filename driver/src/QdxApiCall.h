#pragma once
// What every board operation does before the simulated bench works: look up
// the board or transfer, log the call and answer an injected fault.
#include <memory>

#include "CSimBench.h"
#include "SimCallText.h"
#include "qdxapi.h"

namespace qdxsim {

inline CSimBench& Bench() { return CSimBench::Instance(); }

// Logs the call and answers the fault injected for it (0 when none).
template <typename... A>
[[nodiscard]] inline int32_t Enter(const char* name, const A&... args)
{
    CSimBench& bench = Bench();
    if (bench.CallLog().Enabled()) bench.CallLog().Append(qdxsim::CallText(name, args...));
    return bench.Faults().Take(name);
}

template <typename F>
[[nodiscard]] inline int32_t WithBoard(int16_t id, F&& action)
{
    const std::shared_ptr<CSimBoard> board = Bench().Board(id);
    if (!board) return QDX_ERR_INVALID_ID;
    return action(*board);
}

template <typename F>
[[nodiscard]] inline int32_t WithTransfer(int16_t id, int16_t dir, F&& action)
{
    return WithBoard(id, [&](CSimBoard& board) {
        CSimTransfer* transfer = board.Transfer(dir);
        if (transfer == nullptr) return QDX_ERR_INVALID_DIRECTION;
        return action(board, *transfer);
    });
}

}  // namespace qdxsim
