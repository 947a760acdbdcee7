#pragma once
#include <cstdint>

// The board operations a run calls, as bound entry points of the board
// library. The window layer fills it from the driver binding; a null entry
// means the library is not bound and no device can be opened.
struct RUN_DRIVER_CALLS {
    using Init = int32_t (*)(const char*, int16_t*);
    using Id = int32_t (*)(int16_t);
    using IdDir = int32_t (*)(int16_t, int16_t);
    using IdDirValue = int32_t (*)(int16_t, int16_t, int16_t);  // id, dir, condition or type
    using ErrorString = int32_t (*)(int32_t, char*);
    using Pattern = int32_t (*)(int16_t, uint32_t, uint32_t);
    using InternalClock = int32_t (*)(int16_t, int16_t, uint32_t, int16_t);
    using StopNumber = int32_t (*)(int16_t, int16_t, uint32_t);
    using Buffer = int32_t (*)(int16_t, int16_t, uint32_t*, uint32_t, int16_t);
    using TwoOut = int32_t (*)(int16_t, int16_t, uint32_t*, uint32_t*);
    using WritePointer = int32_t (*)(int16_t, int16_t, uint32_t*, uint32_t*, uint32_t*);
    using StopEvent = int32_t (*)(int16_t, int16_t, intptr_t);
    using CountEvent = int32_t (*)(int16_t, int16_t, uint32_t, intptr_t);

    Init DioInit = nullptr;
    Id DioExit = nullptr;
    Id DioResetDevice = nullptr;
    ErrorString DioGetErrorString = nullptr;
    IdDir DioDmSetDirection = nullptr;
    Id DioDmSetStandAlone = nullptr;
    IdDirValue DioDmSetStartTrigger = nullptr;
    Pattern DioDmSetStartPattern = nullptr;
    IdDirValue DioDmSetClockTrigger = nullptr;
    InternalClock DioDmSetInternalClock = nullptr;
    IdDirValue DioDmSetStopTrigger = nullptr;
    StopNumber DioDmSetStopNumber = nullptr;
    IdDir DioDmFifoReset = nullptr;
    Buffer DioDmSetBuffer = nullptr;
    IdDir DioDmTransferStart = nullptr;
    IdDir DioDmTransferStop = nullptr;
    TwoOut DioDmGetStatus = nullptr;
    TwoOut DioDmGetCount = nullptr;
    WritePointer DioDmGetWritePointer = nullptr;
    StopEvent DioDmSetStopEvent = nullptr;
    CountEvent DioDmSetCountEvent = nullptr;

    // True when every entry point above is bound.
    [[nodiscard]] bool Complete() const {
        return DioInit && DioExit && DioResetDevice && DioGetErrorString && DioDmSetDirection &&
               DioDmSetStandAlone && DioDmSetStartTrigger && DioDmSetStartPattern && DioDmSetClockTrigger &&
               DioDmSetInternalClock && DioDmSetStopTrigger && DioDmSetStopNumber && DioDmFifoReset &&
               DioDmSetBuffer && DioDmTransferStart && DioDmTransferStop && DioDmGetStatus && DioDmGetCount &&
               DioDmGetWritePointer && DioDmSetStopEvent && DioDmSetCountEvent;
    }
};
