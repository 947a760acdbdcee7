// The bus-master transfer operations (DioDm*): argument checks, call log and
// injected faults, then the simulated bench does the work.
#include <cstring>

#include "QdxApiCall.h"
#include "SimErrorText.h"
#include "qdxapi.h"

using qdxsim::Bench;
using qdxsim::CSimBoard;
using qdxsim::CSimTransfer;
using qdxsim::Enter;
using qdxsim::SIM_COUNTERS;
using qdxsim::SIM_OUT;
using qdxsim::WithBoard;
using qdxsim::WithTransfer;

namespace {

[[nodiscard]] int32_t CheckSyncSignals(int16_t s1, int16_t s2, int16_t s3, int16_t masterHalt, int16_t slaveHalt)
{
    const auto flag = [](int16_t value) { return value == 0 || value == 1; };
    const bool ok = flag(s1) && flag(s2) && flag(s3) && flag(masterHalt) && flag(slaveHalt);
    return ok ? QDX_OK : QDX_ERR_INVALID_PARAMETER;
}

}  // namespace

extern "C" {

QDX_API int32_t DioDmSetDirection(int16_t id, int16_t dir)
{
    if (const int32_t injected = Enter("DioDmSetDirection", id, dir)) return injected;
    return WithBoard(id, [&](CSimBoard& board) { return board.SetDirection(dir); });
}

QDX_API int32_t DioDmGetDirection(int16_t id, int16_t* dir)
{
    if (const int32_t injected = Enter("DioDmGetDirection", id, SIM_OUT{})) return injected;
    if (dir == nullptr) return QDX_ERR_NULL_POINTER;
    return WithBoard(id, [&](CSimBoard& board) {
        *dir = board.Direction();
        return QDX_OK;
    });
}

QDX_API int32_t DioDmSetStandAlone(int16_t id)
{
    if (const int32_t injected = Enter("DioDmSetStandAlone", id)) return injected;
    return WithBoard(id, [](CSimBoard&) { return QDX_OK; });
}

QDX_API int32_t DioDmSetMaster(int16_t id, int16_t extSig1, int16_t extSig2, int16_t extSig3, int16_t masterHalt,
                               int16_t slaveHalt)
{
    if (const int32_t injected = Enter("DioDmSetMaster", id, extSig1, extSig2, extSig3, masterHalt, slaveHalt)) {
        return injected;
    }
    return WithBoard(id, [&](CSimBoard&) { return CheckSyncSignals(extSig1, extSig2, extSig3, masterHalt, slaveHalt); });
}

QDX_API int32_t DioDmSetSlave(int16_t id, int16_t extSig1, int16_t extSig2, int16_t extSig3, int16_t masterHalt,
                              int16_t slaveHalt)
{
    if (const int32_t injected = Enter("DioDmSetSlave", id, extSig1, extSig2, extSig3, masterHalt, slaveHalt)) {
        return injected;
    }
    return WithBoard(id, [&](CSimBoard&) { return CheckSyncSignals(extSig1, extSig2, extSig3, masterHalt, slaveHalt); });
}

QDX_API int32_t DioDmSetStartTrigger(int16_t id, int16_t dir, int16_t start)
{
    if (const int32_t injected = Enter("DioDmSetStartTrigger", id, dir, start)) return injected;
    return WithTransfer(id, dir, [&](CSimBoard&, CSimTransfer& transfer) { return transfer.SetStartTrigger(start); });
}

QDX_API int32_t DioDmSetStartPattern(int16_t id, uint32_t pattern, uint32_t mask)
{
    if (const int32_t injected = Enter("DioDmSetStartPattern", id, pattern, mask)) return injected;
    return WithBoard(id, [&](CSimBoard& board) {
        board.SetStartPattern(pattern, mask);
        return QDX_OK;
    });
}

QDX_API int32_t DioDmSetClockTrigger(int16_t id, int16_t dir, int16_t clock)
{
    if (const int32_t injected = Enter("DioDmSetClockTrigger", id, dir, clock)) return injected;
    return WithTransfer(id, dir, [&](CSimBoard&, CSimTransfer& transfer) { return transfer.SetClockTrigger(clock); });
}

QDX_API int32_t DioDmSetInternalClock(int16_t id, int16_t dir, uint32_t clock, int16_t unit)
{
    if (const int32_t injected = Enter("DioDmSetInternalClock", id, dir, clock, unit)) return injected;
    return WithTransfer(id, dir, [&](CSimBoard& board, CSimTransfer& transfer) {
        return transfer.SetInternalClock(clock, unit, board.Model());
    });
}

QDX_API int32_t DioDmSetStopTrigger(int16_t id, int16_t dir, int16_t stop)
{
    if (const int32_t injected = Enter("DioDmSetStopTrigger", id, dir, stop)) return injected;
    return WithTransfer(id, dir, [&](CSimBoard&, CSimTransfer& transfer) { return transfer.SetStopTrigger(stop); });
}

QDX_API int32_t DioDmSetStopNumber(int16_t id, int16_t dir, uint32_t stopNumber)
{
    if (const int32_t injected = Enter("DioDmSetStopNumber", id, dir, stopNumber)) return injected;
    return WithTransfer(id, dir,
                        [&](CSimBoard&, CSimTransfer& transfer) { return transfer.SetStopNumber(stopNumber); });
}

QDX_API int32_t DioDmFifoReset(int16_t id, int16_t reset)
{
    if (const int32_t injected = Enter("DioDmFifoReset", id, reset)) return injected;
    return WithBoard(id, [&](CSimBoard& board) { return board.ResetFifo(reset); });
}

QDX_API int32_t DioDmSetBuffer(int16_t id, int16_t dir, uint32_t* buffer, uint32_t length, int16_t isRing)
{
    if (const int32_t injected = Enter("DioDmSetBuffer", id, dir, buffer, length, isRing)) return injected;
    return WithTransfer(id, dir, [&](CSimBoard&, CSimTransfer& transfer) {
        if (buffer != nullptr && length != 0 && !Bench().Faults().BufferAllowed(length)) {
            return QDX_ERR_BUFFER_REFUSED;
        }
        return transfer.SetBuffer(id, buffer, length, isRing);
    });
}

QDX_API int32_t DioDmSetTransferStartWait(int16_t id, int16_t timeMs)
{
    if (const int32_t injected = Enter("DioDmSetTransferStartWait", id, timeMs)) return injected;
    return WithBoard(id, [&](CSimBoard& board) { return board.SetStartWait(timeMs); });
}

QDX_API int32_t DioDmTransferStart(int16_t id, int16_t dir)
{
    if (const int32_t injected = Enter("DioDmTransferStart", id, dir)) return injected;
    return WithBoard(id, [&](CSimBoard& board) { return board.Start(id, dir); });
}

QDX_API int32_t DioDmTransferStop(int16_t id, int16_t dir)
{
    if (const int32_t injected = Enter("DioDmTransferStop", id, dir)) return injected;
    return WithTransfer(id, dir, [](CSimBoard&, CSimTransfer& transfer) {
        transfer.Stop();
        return QDX_OK;
    });
}

QDX_API int32_t DioDmGetStatus(int16_t id, int16_t dir, uint32_t* status, uint32_t* err)
{
    if (const int32_t injected = Enter("DioDmGetStatus", id, dir, SIM_OUT{}, SIM_OUT{})) return injected;
    if (status == nullptr || err == nullptr) return QDX_ERR_NULL_POINTER;
    return WithTransfer(id, dir, [&](CSimBoard&, CSimTransfer& transfer) {
        const SIM_COUNTERS counters = transfer.Counters();
        *status = counters.Status;
        *err = counters.Errors;
        return QDX_OK;
    });
}

QDX_API int32_t DioDmGetCount(int16_t id, int16_t dir, uint32_t* count, uint32_t* carry)
{
    if (const int32_t injected = Enter("DioDmGetCount", id, dir, SIM_OUT{}, SIM_OUT{})) return injected;
    if (count == nullptr || carry == nullptr) return QDX_ERR_NULL_POINTER;
    return WithTransfer(id, dir, [&](CSimBoard&, CSimTransfer& transfer) {
        const SIM_COUNTERS counters = transfer.AcknowledgeCounters();
        *count = static_cast<uint32_t>(counters.Count);
        *carry = counters.Carry;
        return QDX_OK;
    });
}

QDX_API int32_t DioDmGetWritePointer(int16_t id, int16_t dir, uint32_t* writePointer, uint32_t* count,
                                     uint32_t* carry)
{
    if (const int32_t injected = Enter("DioDmGetWritePointer", id, dir, SIM_OUT{}, SIM_OUT{}, SIM_OUT{})) {
        return injected;
    }
    if (writePointer == nullptr || count == nullptr || carry == nullptr) return QDX_ERR_NULL_POINTER;
    return WithTransfer(id, dir, [&](CSimBoard&, CSimTransfer& transfer) {
        const SIM_COUNTERS counters = transfer.AcknowledgeCounters();
        *writePointer = counters.WritePointer;
        *count = static_cast<uint32_t>(counters.Count);
        *carry = counters.Carry;
        return QDX_OK;
    });
}

QDX_API int32_t DioDmSetStopEvent(int16_t id, int16_t dir, intptr_t hwnd)
{
    if (const int32_t injected = Enter("DioDmSetStopEvent", id, dir, hwnd)) return injected;
    return WithTransfer(id, dir, [&](CSimBoard&, CSimTransfer& transfer) { return transfer.SetStopEvent(id, hwnd); });
}

QDX_API int32_t DioDmSetStopCallBackProc(int16_t id, QDX_DM_STOP_CALLBACK proc, void* param)
{
    if (const int32_t injected = Enter("DioDmSetStopCallBackProc", id, proc, param)) return injected;
    return WithBoard(id, [&](CSimBoard& board) {
        board.SetStopCallback(proc, param);
        return QDX_OK;
    });
}

QDX_API int32_t DioDmSetCountEvent(int16_t id, int16_t dir, uint32_t count, intptr_t hwnd)
{
    if (const int32_t injected = Enter("DioDmSetCountEvent", id, dir, count, hwnd)) return injected;
    return WithTransfer(id, dir,
                        [&](CSimBoard&, CSimTransfer& transfer) { return transfer.SetCountEvent(id, count, hwnd); });
}

#ifndef QDX_SIM_NO_COUNT_CALLBACK
QDX_API int32_t DioDmSetCountCallBackProc(int16_t id, QDX_DM_COUNT_CALLBACK proc, void* param)
{
    if (const int32_t injected = Enter("DioDmSetCountCallBackProc", id, proc, param)) return injected;
    return WithBoard(id, [&](CSimBoard& board) {
        board.SetCountCallback(proc, param);
        return QDX_OK;
    });
}
#endif

}  // extern "C"
