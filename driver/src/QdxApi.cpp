// The 53 board operations: argument checks, call log and injected faults,
// then the simulated bench does the work.
#include <cstring>

#include "CSimBench.h"
#include "SimCallText.h"
#include "SimErrorText.h"
#include "qdxapi.h"

using qdxsim::CSimBench;
using qdxsim::CSimBoard;
using qdxsim::CSimTransfer;
using qdxsim::SIM_COUNTERS;
using qdxsim::SIM_OUT;

namespace {

CSimBench& Bench() { return CSimBench::Instance(); }

// Logs the call and answers the fault injected for it (0 when none).
template <typename... A>
[[nodiscard]] int32_t Enter(const char* name, const A&... args)
{
    CSimBench& bench = Bench();
    if (bench.CallLog().Enabled()) bench.CallLog().Append(qdxsim::CallText(name, args...));
    return bench.Faults().Take(name);
}

template <typename F>
[[nodiscard]] int32_t WithBoard(int16_t id, F&& action)
{
    const std::shared_ptr<CSimBoard> board = Bench().Board(id);
    if (!board) return QDX_ERR_INVALID_ID;
    return action(*board);
}

template <typename F>
[[nodiscard]] int32_t WithTransfer(int16_t id, int16_t dir, F&& action)
{
    return WithBoard(id, [&](CSimBoard& board) {
        CSimTransfer* transfer = board.Transfer(dir);
        if (transfer == nullptr) return QDX_ERR_INVALID_DIRECTION;
        return action(board, *transfer);
    });
}

[[nodiscard]] bool ValidPort(int16_t port) { return port >= 0 && port < CSimBoard::kPorts; }
[[nodiscard]] bool ValidBit(int16_t bit) { return bit >= 0 && bit < CSimBoard::kLines; }
[[nodiscard]] bool ValidCount(int16_t count, int16_t limit) { return count >= 1 && count <= limit; }

[[nodiscard]] uint8_t ByteOf(uint32_t lines, int16_t port) { return static_cast<uint8_t>(lines >> (8 * port)); }
[[nodiscard]] uint8_t BitOf(uint32_t lines, int16_t bit) { return static_cast<uint8_t>((lines >> bit) & 1u); }

[[nodiscard]] int32_t ReadBytes(int16_t id, const int16_t* ports, int16_t count, uint8_t* data, bool echo)
{
    if (ports == nullptr || data == nullptr) return QDX_ERR_NULL_POINTER;
    if (!ValidCount(count, CSimBoard::kPorts)) return QDX_ERR_INVALID_PARAMETER;
    return WithBoard(id, [&](CSimBoard& board) {
        for (int16_t i = 0; i < count; ++i) {
            if (!ValidPort(ports[i])) return QDX_ERR_PORT_RANGE;
        }
        const uint32_t lines = echo ? board.OutputLines() : board.InputLines();
        for (int16_t i = 0; i < count; ++i) data[i] = ByteOf(lines, ports[i]);
        return QDX_OK;
    });
}

[[nodiscard]] int32_t ReadBits(int16_t id, const int16_t* bits, int16_t count, uint8_t* data, bool echo)
{
    if (bits == nullptr || data == nullptr) return QDX_ERR_NULL_POINTER;
    if (!ValidCount(count, CSimBoard::kLines)) return QDX_ERR_INVALID_PARAMETER;
    return WithBoard(id, [&](CSimBoard& board) {
        for (int16_t i = 0; i < count; ++i) {
            if (!ValidBit(bits[i])) return QDX_ERR_PORT_RANGE;
        }
        const uint32_t lines = echo ? board.OutputLines() : board.InputLines();
        for (int16_t i = 0; i < count; ++i) data[i] = BitOf(lines, bits[i]);
        return QDX_OK;
    });
}

[[nodiscard]] int32_t CheckSyncSignals(int16_t s1, int16_t s2, int16_t s3, int16_t masterHalt, int16_t slaveHalt)
{
    const auto flag = [](int16_t value) { return value == 0 || value == 1; };
    const bool ok = flag(s1) && flag(s2) && flag(s3) && flag(masterHalt) && flag(slaveHalt);
    return ok ? QDX_OK : QDX_ERR_INVALID_PARAMETER;
}

}  // namespace

extern "C" {

QDX_API int32_t DioInit(const char* deviceName, int16_t* id)
{
    if (const int32_t injected = Enter("DioInit", deviceName, SIM_OUT{})) return injected;
    if (deviceName == nullptr || id == nullptr) return QDX_ERR_NULL_POINTER;
    return Bench().Open(deviceName, *id);
}

QDX_API int32_t DioExit(int16_t id)
{
    if (const int32_t injected = Enter("DioExit", id)) return injected;
    return Bench().Close(id);
}

QDX_API int32_t DioResetDevice(int16_t id)
{
    if (const int32_t injected = Enter("DioResetDevice", id)) return injected;
    return WithBoard(id, [](CSimBoard& board) {
        board.Reset();
        return QDX_OK;
    });
}

QDX_API int32_t DioGetErrorString(int32_t code, char* text)
{
    if (const int32_t injected = Enter("DioGetErrorString", code, SIM_OUT{})) return injected;
    if (text == nullptr) return QDX_ERR_NULL_POINTER;
    const std::string message = qdxsim::ErrorText(code);
    const std::size_t length = std::min<std::size_t>(message.size(), QDX_TEXT_SIZE - 1);
    std::memcpy(text, message.data(), length);
    text[length] = '\0';
    return QDX_OK;
}

QDX_API int32_t DioSetDigitalFilter(int16_t id, int16_t filterValue)
{
    if (const int32_t injected = Enter("DioSetDigitalFilter", id, filterValue)) return injected;
    return WithBoard(id, [&](CSimBoard& board) {
        if (filterValue < 0 || filterValue > 20) return QDX_ERR_INVALID_PARAMETER;
        board.SetFilter(filterValue);
        return QDX_OK;
    });
}

QDX_API int32_t DioInpByte(int16_t id, int16_t portNo, uint8_t* data)
{
    if (const int32_t injected = Enter("DioInpByte", id, portNo, SIM_OUT{})) return injected;
    return ReadBytes(id, &portNo, 1, data, false);
}

QDX_API int32_t DioInpBit(int16_t id, int16_t bitNo, uint8_t* data)
{
    if (const int32_t injected = Enter("DioInpBit", id, bitNo, SIM_OUT{})) return injected;
    return ReadBits(id, &bitNo, 1, data, false);
}

QDX_API int32_t DioOutByte(int16_t id, int16_t portNo, uint8_t data)
{
    if (const int32_t injected = Enter("DioOutByte", id, portNo, data)) return injected;
    return WithBoard(id, [&](CSimBoard& board) {
        if (!ValidPort(portNo)) return QDX_ERR_PORT_RANGE;
        board.WriteOutputLines(0xFFu << (8 * portNo), static_cast<uint32_t>(data) << (8 * portNo));
        return QDX_OK;
    });
}

QDX_API int32_t DioOutBit(int16_t id, int16_t bitNo, uint8_t data)
{
    if (const int32_t injected = Enter("DioOutBit", id, bitNo, data)) return injected;
    return WithBoard(id, [&](CSimBoard& board) {
        if (!ValidBit(bitNo)) return QDX_ERR_PORT_RANGE;
        if (data > 1) return QDX_ERR_INVALID_PARAMETER;
        board.WriteOutputLines(1u << bitNo, static_cast<uint32_t>(data) << bitNo);
        return QDX_OK;
    });
}

QDX_API int32_t DioEchoBackByte(int16_t id, int16_t portNo, uint8_t* data)
{
    if (const int32_t injected = Enter("DioEchoBackByte", id, portNo, SIM_OUT{})) return injected;
    return ReadBytes(id, &portNo, 1, data, true);
}

QDX_API int32_t DioEchoBackBit(int16_t id, int16_t bitNo, uint8_t* data)
{
    if (const int32_t injected = Enter("DioEchoBackBit", id, bitNo, SIM_OUT{})) return injected;
    return ReadBits(id, &bitNo, 1, data, true);
}

QDX_API int32_t DioInpMultiByte(int16_t id, const int16_t* portNo, int16_t portNum, uint8_t* data)
{
    if (const int32_t injected = Enter("DioInpMultiByte", id, portNo, portNum, SIM_OUT{})) return injected;
    return ReadBytes(id, portNo, portNum, data, false);
}

QDX_API int32_t DioInpMultiBit(int16_t id, const int16_t* bitNo, int16_t bitNum, uint8_t* data)
{
    if (const int32_t injected = Enter("DioInpMultiBit", id, bitNo, bitNum, SIM_OUT{})) return injected;
    return ReadBits(id, bitNo, bitNum, data, false);
}

QDX_API int32_t DioOutMultiByte(int16_t id, const int16_t* portNo, int16_t portNum, const uint8_t* data)
{
    if (const int32_t injected = Enter("DioOutMultiByte", id, portNo, portNum, data)) return injected;
    if (portNo == nullptr || data == nullptr) return QDX_ERR_NULL_POINTER;
    if (!ValidCount(portNum, CSimBoard::kPorts)) return QDX_ERR_INVALID_PARAMETER;
    return WithBoard(id, [&](CSimBoard& board) {
        uint32_t mask = 0;
        uint32_t value = 0;
        for (int16_t i = 0; i < portNum; ++i) {
            if (!ValidPort(portNo[i])) return QDX_ERR_PORT_RANGE;
            mask |= 0xFFu << (8 * portNo[i]);
            value = (value & ~(0xFFu << (8 * portNo[i]))) | (static_cast<uint32_t>(data[i]) << (8 * portNo[i]));
        }
        board.WriteOutputLines(mask, value);
        return QDX_OK;
    });
}

QDX_API int32_t DioOutMultiBit(int16_t id, const int16_t* bitNo, int16_t bitNum, const uint8_t* data)
{
    if (const int32_t injected = Enter("DioOutMultiBit", id, bitNo, bitNum, data)) return injected;
    if (bitNo == nullptr || data == nullptr) return QDX_ERR_NULL_POINTER;
    if (!ValidCount(bitNum, CSimBoard::kLines)) return QDX_ERR_INVALID_PARAMETER;
    return WithBoard(id, [&](CSimBoard& board) {
        uint32_t mask = 0;
        uint32_t value = 0;
        for (int16_t i = 0; i < bitNum; ++i) {
            if (!ValidBit(bitNo[i])) return QDX_ERR_PORT_RANGE;
            if (data[i] > 1) return QDX_ERR_INVALID_PARAMETER;
            mask |= 1u << bitNo[i];
            value = (value & ~(1u << bitNo[i])) | (static_cast<uint32_t>(data[i]) << bitNo[i]);
        }
        board.WriteOutputLines(mask, value);
        return QDX_OK;
    });
}

QDX_API int32_t DioEchoBackMultiByte(int16_t id, const int16_t* portNo, int16_t portNum, uint8_t* data)
{
    if (const int32_t injected = Enter("DioEchoBackMultiByte", id, portNo, portNum, SIM_OUT{})) return injected;
    return ReadBytes(id, portNo, portNum, data, true);
}

QDX_API int32_t DioEchoBackMultiBit(int16_t id, const int16_t* bitNo, int16_t bitNum, uint8_t* data)
{
    if (const int32_t injected = Enter("DioEchoBackMultiBit", id, bitNo, bitNum, SIM_OUT{})) return injected;
    return ReadBits(id, bitNo, bitNum, data, true);
}

QDX_API int32_t DioNotifyInt(int16_t id, int16_t intBit, int16_t logic, intptr_t hwnd)
{
    if (const int32_t injected = Enter("DioNotifyInt", id, intBit, logic, hwnd)) return injected;
    return WithBoard(id, [&](CSimBoard&) {
        if (!ValidBit(intBit)) return QDX_ERR_PORT_RANGE;
        return logic == 0 || logic == 1 ? QDX_OK : QDX_ERR_INVALID_PARAMETER;
    });
}

QDX_API int32_t DioStopNotifyInt(int16_t id, int16_t intBit)
{
    if (const int32_t injected = Enter("DioStopNotifyInt", id, intBit)) return injected;
    return WithBoard(id, [&](CSimBoard&) { return ValidBit(intBit) ? QDX_OK : QDX_ERR_PORT_RANGE; });
}

QDX_API int32_t DioNotifyTrg(int16_t id, int16_t trgBit, int16_t trgKind, int32_t timeMs, intptr_t hwnd)
{
    if (const int32_t injected = Enter("DioNotifyTrg", id, trgBit, trgKind, timeMs, hwnd)) return injected;
    return WithBoard(id, [&](CSimBoard&) {
        if (!ValidBit(trgBit)) return QDX_ERR_PORT_RANGE;
        const bool ok = trgKind >= 1 && trgKind <= 3 && timeMs >= 1 && timeMs <= 65535;
        return ok ? QDX_OK : QDX_ERR_INVALID_PARAMETER;
    });
}

QDX_API int32_t DioStopNotifyTrg(int16_t id, int16_t trgBit)
{
    if (const int32_t injected = Enter("DioStopNotifyTrg", id, trgBit)) return injected;
    return WithBoard(id, [&](CSimBoard&) { return ValidBit(trgBit) ? QDX_OK : QDX_ERR_PORT_RANGE; });
}

QDX_API int32_t DioGetDeviceInfo(const char* deviceName, int16_t infoType, int32_t* param1, int32_t* param2,
                                 int32_t* param3)
{
    if (const int32_t injected = Enter("DioGetDeviceInfo", deviceName, infoType, SIM_OUT{}, SIM_OUT{}, SIM_OUT{})) {
        return injected;
    }
    if (deviceName == nullptr || param1 == nullptr) return QDX_ERR_NULL_POINTER;
    const std::shared_ptr<CSimBoard> board = Bench().BoardByName(deviceName);
    if (!board) return QDX_ERR_INVALID_DEVICE_NAME;
    switch (infoType) {
    case 1: *param1 = CSimBoard::kLines; break;
    case 2: *param1 = CSimBoard::kLines; break;
    case 3: *param1 = static_cast<int32_t>(board->Model().MinPeriodNs); break;
    case 4: *param1 = board->Model().BusKind; break;
    default: return QDX_ERR_INVALID_PARAMETER;
    }
    if (param2 != nullptr) *param2 = 0;
    if (param3 != nullptr) *param3 = 0;
    return QDX_OK;
}

QDX_API int32_t DioQueryDeviceName(int16_t index, char* deviceName, char* device)
{
    if (const int32_t injected = Enter("DioQueryDeviceName", index, SIM_OUT{}, SIM_OUT{})) return injected;
    if (deviceName == nullptr || device == nullptr) return QDX_ERR_NULL_POINTER;
    return Bench().Query(index, deviceName, device);
}

QDX_API int32_t DioGetDeviceType(const char* device, int16_t* deviceType)
{
    if (const int32_t injected = Enter("DioGetDeviceType", device, SIM_OUT{})) return injected;
    if (device == nullptr || deviceType == nullptr) return QDX_ERR_NULL_POINTER;
    if (!Bench().HasType(device)) return QDX_ERR_INVALID_DEVICE_NAME;
    *deviceType = qdxsim::ModelOfType(device).BusKind;
    return QDX_OK;
}

QDX_API int32_t DioGetMaxPorts(int16_t id, int16_t* inPortNum, int16_t* outPortNum)
{
    if (const int32_t injected = Enter("DioGetMaxPorts", id, SIM_OUT{}, SIM_OUT{})) return injected;
    if (inPortNum == nullptr || outPortNum == nullptr) return QDX_ERR_NULL_POINTER;
    return WithBoard(id, [&](CSimBoard&) {
        *inPortNum = CSimBoard::kPorts;
        *outPortNum = CSimBoard::kPorts;
        return QDX_OK;
    });
}

QDX_API int32_t DioSetIoDirection(int16_t id, uint32_t dir)
{
    if (const int32_t injected = Enter("DioSetIoDirection", id, dir)) return injected;
    return WithBoard(id, [&](CSimBoard& board) {
        board.SetIoDirection(dir);
        return QDX_OK;
    });
}

QDX_API int32_t DioGetIoDirection(int16_t id, uint32_t* dir)
{
    if (const int32_t injected = Enter("DioGetIoDirection", id, SIM_OUT{})) return injected;
    if (dir == nullptr) return QDX_ERR_NULL_POINTER;
    return WithBoard(id, [&](CSimBoard& board) {
        *dir = board.IoDirection();
        return QDX_OK;
    });
}

QDX_API int32_t DioNotifyInterrupt(int16_t id, int16_t intBit, int16_t logic, intptr_t eventHandle)
{
    if (const int32_t injected = Enter("DioNotifyInterrupt", id, intBit, logic, eventHandle)) return injected;
    return WithBoard(id, [&](CSimBoard&) {
        if (!ValidBit(intBit)) return QDX_ERR_PORT_RANGE;
        return logic == 0 || logic == 1 ? QDX_OK : QDX_ERR_INVALID_PARAMETER;
    });
}

QDX_API int32_t DioSet8255Mode(int16_t id, uint16_t chipNo, uint16_t ctrlWord)
{
    if (const int32_t injected = Enter("DioSet8255Mode", id, chipNo, ctrlWord)) return injected;
    return WithBoard(id, [](CSimBoard&) { return QDX_ERR_NOT_SUPPORTED; });
}

QDX_API int32_t DioGet8255Mode(int16_t id, uint16_t chipNo, uint16_t* ctrlWord)
{
    if (const int32_t injected = Enter("DioGet8255Mode", id, chipNo, SIM_OUT{})) return injected;
    if (ctrlWord == nullptr) return QDX_ERR_NULL_POINTER;
    return WithBoard(id, [](CSimBoard&) { return QDX_ERR_NOT_SUPPORTED; });
}

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
