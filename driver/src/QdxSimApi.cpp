// The bench control interface and the host's message poster.
#include <cstring>
#include <string>

#include "CSimBench.h"
#include "qdxapi_sim.h"

using qdxsim::CSimBench;
using qdxsim::CSimBoard;

namespace {

template <typename F>
[[nodiscard]] int32_t WithNamedBoard(const char* name, F&& action)
{
    if (name == nullptr) return QDX_ERR_NULL_POINTER;
    const std::shared_ptr<CSimBoard> board = CSimBench::Instance().BoardByName(name);
    if (!board) return QDX_ERR_INVALID_DEVICE_NAME;
    return action(*board);
}

[[nodiscard]] bool ValidEdge(int32_t line, int32_t edge)
{
    const bool lineOk = line >= QDX_SIM_LINE_START && line <= QDX_SIM_LINE_BOTH;
    return lineOk && (edge == QDX_SIM_EDGE_RISING || edge == QDX_SIM_EDGE_FALLING);
}

}  // namespace

extern "C" {

QDX_API void DioSimSetMessagePoster(QDX_MESSAGE_POSTER post, void* ctx)
{
    CSimBench::Instance().Messenger().SetPoster(post, ctx);
}

QDX_API int32_t DioSimConfigureBoards(const char* boards) { return CSimBench::Instance().Configure(boards); }

QDX_API int32_t DioSimSetInputSource(const char* deviceName, int32_t source)
{
    if (source < QDX_SIM_INPUT_COUNTER || source > QDX_SIM_INPUT_ZERO) return QDX_ERR_INVALID_PARAMETER;
    return WithNamedBoard(deviceName, [&](CSimBoard& board) {
        board.SetSource(source);
        return QDX_OK;
    });
}

QDX_API int32_t DioSimSetExternalClockRate(const char* deviceName, uint32_t wordsPerSecond)
{
    return WithNamedBoard(deviceName, [&](CSimBoard& board) {
        board.SetExternalRate(wordsPerSecond);
        return QDX_OK;
    });
}

QDX_API int32_t DioSimSetHandshakeRate(const char* deviceName, uint32_t wordsPerSecond)
{
    return WithNamedBoard(deviceName, [&](CSimBoard& board) {
        board.SetHandshakeRate(wordsPerSecond);
        return QDX_OK;
    });
}

QDX_API int32_t DioSimFireTrigger(const char* deviceName, int32_t line, int32_t edge)
{
    if (!ValidEdge(line, edge)) return QDX_ERR_INVALID_PARAMETER;
    return WithNamedBoard(deviceName, [&](CSimBoard& board) {
        board.FireTrigger(line, edge);
        return QDX_OK;
    });
}

QDX_API int32_t DioSimRaiseError(const char* deviceName, int16_t dir, uint32_t errorBits)
{
    return WithNamedBoard(deviceName, [&](CSimBoard& board) { return board.RaiseError(dir, errorBits); });
}

QDX_API int32_t DioSimFailFunction(const char* functionName, int32_t code, int32_t times)
{
    if (functionName == nullptr) {
        CSimBench::Instance().Faults().ClearAll();
        return QDX_OK;
    }
    if (times < -1) return QDX_ERR_INVALID_PARAMETER;
    CSimBench::Instance().Faults().FailFunction(functionName, code, times);
    return QDX_OK;
}

QDX_API int32_t DioSimSetMaxBufferLength(uint32_t maxWords)
{
    CSimBench::Instance().Faults().SetMaxBufferLength(maxWords);
    return QDX_OK;
}

QDX_API int32_t DioSimEnableCallLog(int32_t enabled)
{
    CSimBench::Instance().CallLog().SetEnabled(enabled != 0);
    return QDX_OK;
}

QDX_API int32_t DioSimClearCallLog(void)
{
    CSimBench::Instance().CallLog().Clear();
    return QDX_OK;
}

QDX_API uint32_t DioSimGetCallLog(char* text, uint32_t size)
{
    const std::string log = CSimBench::Instance().CallLog().Text();
    if (text != nullptr && size > 0) {
        const std::size_t length = std::min<std::size_t>(log.size(), size - 1);
        std::memcpy(text, log.data(), length);
        text[length] = '\0';
    }
    return static_cast<uint32_t>(log.size() + 1);
}

}  // extern "C"
