#pragma once
#include "qdxapi.h"

// The bound entry points of the board library, one typed slot per exported
// operation in binding-table order. A slot is null until it is bound.
struct QDX_ENTRY_POINTS {
    decltype(&::DioInit) DioInit = nullptr;
    decltype(&::DioExit) DioExit = nullptr;
    decltype(&::DioResetDevice) DioResetDevice = nullptr;
    decltype(&::DioGetErrorString) DioGetErrorString = nullptr;
    decltype(&::DioSetDigitalFilter) DioSetDigitalFilter = nullptr;
    decltype(&::DioInpByte) DioInpByte = nullptr;
    decltype(&::DioInpBit) DioInpBit = nullptr;
    decltype(&::DioOutByte) DioOutByte = nullptr;
    decltype(&::DioOutBit) DioOutBit = nullptr;
    decltype(&::DioEchoBackByte) DioEchoBackByte = nullptr;
    decltype(&::DioEchoBackBit) DioEchoBackBit = nullptr;
    decltype(&::DioInpMultiByte) DioInpMultiByte = nullptr;
    decltype(&::DioInpMultiBit) DioInpMultiBit = nullptr;
    decltype(&::DioOutMultiByte) DioOutMultiByte = nullptr;
    decltype(&::DioOutMultiBit) DioOutMultiBit = nullptr;
    decltype(&::DioEchoBackMultiByte) DioEchoBackMultiByte = nullptr;
    decltype(&::DioEchoBackMultiBit) DioEchoBackMultiBit = nullptr;
    decltype(&::DioNotifyInt) DioNotifyInt = nullptr;
    decltype(&::DioStopNotifyInt) DioStopNotifyInt = nullptr;
    decltype(&::DioNotifyTrg) DioNotifyTrg = nullptr;
    decltype(&::DioStopNotifyTrg) DioStopNotifyTrg = nullptr;
    decltype(&::DioGetDeviceInfo) DioGetDeviceInfo = nullptr;
    decltype(&::DioQueryDeviceName) DioQueryDeviceName = nullptr;
    decltype(&::DioGetDeviceType) DioGetDeviceType = nullptr;
    decltype(&::DioGetMaxPorts) DioGetMaxPorts = nullptr;
    decltype(&::DioSetIoDirection) DioSetIoDirection = nullptr;
    decltype(&::DioGetIoDirection) DioGetIoDirection = nullptr;
    decltype(&::DioNotifyInterrupt) DioNotifyInterrupt = nullptr;
    decltype(&::DioSet8255Mode) DioSet8255Mode = nullptr;
    decltype(&::DioGet8255Mode) DioGet8255Mode = nullptr;
    decltype(&::DioDmSetDirection) DioDmSetDirection = nullptr;
    decltype(&::DioDmGetDirection) DioDmGetDirection = nullptr;
    decltype(&::DioDmSetStandAlone) DioDmSetStandAlone = nullptr;
    decltype(&::DioDmSetMaster) DioDmSetMaster = nullptr;
    decltype(&::DioDmSetSlave) DioDmSetSlave = nullptr;
    decltype(&::DioDmSetStartTrigger) DioDmSetStartTrigger = nullptr;
    decltype(&::DioDmSetStartPattern) DioDmSetStartPattern = nullptr;
    decltype(&::DioDmSetClockTrigger) DioDmSetClockTrigger = nullptr;
    decltype(&::DioDmSetInternalClock) DioDmSetInternalClock = nullptr;
    decltype(&::DioDmSetStopTrigger) DioDmSetStopTrigger = nullptr;
    decltype(&::DioDmSetStopNumber) DioDmSetStopNumber = nullptr;
    decltype(&::DioDmFifoReset) DioDmFifoReset = nullptr;
    decltype(&::DioDmSetBuffer) DioDmSetBuffer = nullptr;
    decltype(&::DioDmSetTransferStartWait) DioDmSetTransferStartWait = nullptr;
    decltype(&::DioDmTransferStart) DioDmTransferStart = nullptr;
    decltype(&::DioDmTransferStop) DioDmTransferStop = nullptr;
    decltype(&::DioDmGetStatus) DioDmGetStatus = nullptr;
    decltype(&::DioDmGetCount) DioDmGetCount = nullptr;
    decltype(&::DioDmGetWritePointer) DioDmGetWritePointer = nullptr;
    decltype(&::DioDmSetStopEvent) DioDmSetStopEvent = nullptr;
    decltype(&::DioDmSetStopCallBackProc) DioDmSetStopCallBackProc = nullptr;
    decltype(&::DioDmSetCountEvent) DioDmSetCountEvent = nullptr;
    decltype(&::DioDmSetCountCallBackProc) DioDmSetCountCallBackProc = nullptr;
};
