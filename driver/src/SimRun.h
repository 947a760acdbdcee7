// Everything a transfer engine needs for one run, fixed at its start.
#pragma once

#include <cstdint>

#include "SimModel.h"
#include "SimPace.h"
#include "qdxapi.h"

namespace qdxsim {

struct SIM_TRANSFER_SETUP {
    int16_t StartTrigger = 1;  // 1 software, 2 rising, 3 falling, 4 pattern
    int16_t ClockType = 1;     // 1 internal, 2 external, 3 handshake
    int16_t StopTrigger = 1;   // 1 software, 2 rising, 3 falling, 4 number
    uint64_t PeriodNs = 1000000;
    uint32_t StopNumber = 1000;
    uint32_t* Buffer = nullptr;
    uint32_t Length = 0;
    bool Ring = true;
    int16_t BufferOwner = -1;  // device id that gave the buffer
    intptr_t StopWindow = 0;
    int16_t StopEventId = 0;
    uint32_t CountEvery = 0;
    intptr_t CountWindow = 0;
    int16_t CountEventId = 0;
};

struct SIM_RUN {
    SIM_TRANSFER_SETUP Setup;
    int16_t Direction = 1;
    int16_t Id = 0;
    SIM_MODEL Model;
    int32_t Source = 1;
    uint64_t Rate = 0;  // words per second of the pace, for the model check
    SIM_PACE Pace;
    uint64_t OriginNs = 0;
    uint64_t WireSerial = 0;
    uint32_t Pattern = 0;
    uint32_t Mask = 0;
    QDX_DM_STOP_CALLBACK StopProc = nullptr;
    void* StopParam = nullptr;
    QDX_DM_COUNT_CALLBACK CountProc = nullptr;
    void* CountParam = nullptr;
};

}  // namespace qdxsim
