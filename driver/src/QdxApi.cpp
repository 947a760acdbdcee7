// The board and port operations: argument checks, call log and injected
// faults, then the simulated bench does the work.
#include <cstring>

#include "CSimBench.h"
#include "QdxApiCall.h"
#include "SimErrorText.h"
#include "qdxapi.h"

using qdxsim::Bench;
using qdxsim::CSimBench;
using qdxsim::CSimBoard;
using qdxsim::Enter;
using qdxsim::SIM_OUT;
using qdxsim::WithBoard;

namespace {

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

}  // extern "C"
