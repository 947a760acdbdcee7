/*
 * qdxapi.h - C interface of the QDX board driver library (libqdxapi.so).
 *
 * This build of the library simulates the boards in software (see
 * qdxapi_sim.h for the bench control interface and driver/README.md for the
 * configuration). The 53 operations below are the whole board interface.
 *
 * Conventions
 *  - Every operation returns int32_t: 0 on success, otherwise one of the
 *    QDX_ERR_* codes below (or a code injected through the control interface).
 *    A failing call changes nothing.
 *  - Device ids, indexes, directions, trigger kinds, clock types and units and
 *    the mode arguments of DioDmFifoReset and DioDmSetBuffer are int16_t.
 *    Patterns, masks, clock values, stop numbers, counts, carries, buffer
 *    lengths and positions are uint32_t.
 *  - Text buffers passed out are 256 bytes and always come back terminated.
 *  - Window handles are opaque pointer-sized integers (intptr_t). The library
 *    never interprets them; it hands them to the host's message poster
 *    (DioSimSetMessagePoster below). Handle 0 means "no window".
 *  - Direction ("dir"): 1 input (sampling), 2 output (generating).
 *
 * Transfer model (DioDm* operations)
 *  - Each board has one transfer engine per direction with its own settings,
 *    counters and library thread. DioDmSetDirection selects which engines may
 *    start: 1 input, 2 output, 3 both.
 *  - Start condition: 1 software, 2 rising edge of the external start line,
 *    3 falling edge, 4 pattern match (input lines & mask == pattern & mask;
 *    the matching word is the first word transferred).
 *  - Clock type: 1 internal clock (DioDmSetInternalClock), 2 external clock,
 *    3 handshake (both paced at a rate set on the bench, see qdxapi_sim.h).
 *    Clock unit: 1 s, 2 ms, 3 us, 4 ns. Limits: QDX-32C-PE 20 ns .. 21 s,
 *    QDX-32A-PE and QDX-32A(PCI) 50 ns .. 107 s.
 *  - Stop condition: 1 software (DioDmTransferStop), 2 rising edge of the
 *    external stop line, 3 falling edge, 4 after DioDmSetStopNumber words.
 *  - Buffer: the engine writes (input) or reads (output) the host buffer given
 *    to DioDmSetBuffer. With ring mode 1 it wraps at the end of the buffer and
 *    goes on; with ring mode 0 an input transfer that fills the buffer ends with
 *    error bit 0x04 and an output transfer ends after one pass.
 *  - Count: words transferred since DioDmTransferStart. Carry: number of times
 *    the transfer wrapped at the end of the buffer. Write pointer: index in the
 *    buffer of the next word the engine transfers (0 .. length - 1).
 *    Count, carry, status and error bits stay readable after the end until the
 *    next set-up (DioResetDevice, DioDmFifoReset, DioDmSetBuffer or
 *    DioDmTransferStart).
 *  - Status bits: 0x01 the transfer has ended; 0x02 transferring; 0x04 the
 *    board ended the transfer by itself (stop condition met or an error).
 *    While a started transfer waits for its start condition no bit is set.
 *  - Error bits: 0x01 transfer error, 0x02 transfer error (bus side),
 *    0x04 buffer overflow, 0x08 external start and stop trigger at the same
 *    time, 0x10 external clock error (rate above the model's limit).
 *    Every error ends the transfer.
 *  - Words become visible to the host with release ordering: a host that reads
 *    the count or write pointer and then the buffer sees every word counted.
 *  - Notifications, posted from the library's thread through the host's
 *    message poster:
 *      QDX_MSG_TRANSFER_STOPPED (0x1350) to the DioDmSetStopEvent window when
 *        a started transfer ends (stop condition, error or DioDmTransferStop);
 *        wparam = device id, lparam = direction.
 *      QDX_MSG_COUNT (0x1351) to the DioDmSetCountEvent window each time the
 *        count passes a multiple of the event count; wparam = device id,
 *        lparam = direction. At most one is pending per engine: the next one
 *        is posted only after the host has called DioDmGetCount or
 *        DioDmGetWritePointer for that direction, so a fast run never floods
 *        the host. The count callback follows the same rule.
 *    DioResetDevice, a DioDmSetBuffer that replaces the buffer of a running
 *    transfer, and DioExit (for the transfers whose buffer was given through
 *    that id) end the transfer silently (no notification). After any of these
 *    returns (and after DioDmTransferStop returns) the library never touches
 *    the old buffer again. The same board may be opened more than once; each
 *    DioInit gives another id.
 *  - Callbacks (DioDmSetStopCallBackProc, DioDmSetCountCallBackProc) are
 *    called on the library's thread. They may call DioDm* operations of the
 *    same board; a DioDmTransferStop or DioResetDevice from inside a callback
 *    does not wait for the library's thread (it is the caller).
 *
 * Simple I/O: each board has 32 input lines (ports 0..3, bits 0..31) and 32
 * output lines. The input lines show the board's input source (qdxapi_sim.h);
 * the output lines show the output latch, or the word being generated during
 * an output transfer. Echo-back reads the output lines.
 */
#ifndef QDXAPI_H
#define QDXAPI_H

#include <stdint.h>

#if defined(QDX_BUILDING_LIBRARY)
#define QDX_API __attribute__((visibility("default")))
#else
#define QDX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes. 20003 is fixed; the others belong to this library. */
#define QDX_OK 0
#define QDX_ERR_NO_DEVICE_AT_INDEX 20003 /* enumeration: no device here, try the next index */
#define QDX_ERR_END_OF_LIST 21000       /* enumeration: no more devices */
#define QDX_ERR_INVALID_ID 21001        /* id not returned by DioInit or already closed */
#define QDX_ERR_INVALID_DEVICE_NAME 21002 /* DioInit: no board of that name */
#define QDX_ERR_INVALID_DIRECTION 21003 /* dir not 1 or 2 (3 only for DioDmSetDirection) */
#define QDX_ERR_INVALID_PARAMETER 21004 /* a value out of its range */
#define QDX_ERR_NULL_POINTER 21005      /* a required pointer is null */
#define QDX_ERR_BUSY 21006              /* not allowed while the transfer runs */
#define QDX_ERR_NO_BUFFER 21007         /* DioDmTransferStart without a buffer */
#define QDX_ERR_BUFFER_REFUSED 21008    /* buffer too long for the board */
#define QDX_ERR_CLOCK_RANGE 21009       /* internal clock outside the model's limits */
#define QDX_ERR_TOO_MANY_OPEN 21010     /* no free device id */
#define QDX_ERR_DIRECTION_NOT_SET 21011 /* transfer in a direction DioDmSetDirection did not enable */
#define QDX_ERR_NOT_SUPPORTED 21012     /* the board has no such function */
#define QDX_ERR_PORT_RANGE 21013        /* port or bit number beyond the board's lines */

/* Status bits of DioDmGetStatus. */
#define QDX_STATUS_ENDED 0x01u        /* the transfer has ended */
#define QDX_STATUS_TRANSFERRING 0x02u /* words are being transferred */
#define QDX_STATUS_SELF_ENDED 0x04u   /* the board ended the transfer by itself (stop condition or error) */

/* Error bits of DioDmGetStatus; every error ends the transfer. */
#define QDX_ERROR_TRANSFER 0x01u       /* transfer error */
#define QDX_ERROR_TRANSFER_BUS 0x02u   /* transfer error on the bus side */
#define QDX_ERROR_OVERFLOW 0x04u       /* buffer overflow */
#define QDX_ERROR_TRIGGER_CLASH 0x08u  /* external start and stop trigger at the same time */
#define QDX_ERROR_EXTERNAL_CLOCK 0x10u /* external clock above the model's limit */
#define QDX_ERROR_BITS 0x7Fu           /* the bits an error may set */

/* Window messages posted by the library. */
#define QDX_MSG_TRANSFER_STOPPED 0x1350
#define QDX_MSG_COUNT 0x1351

#define QDX_TEXT_SIZE 256

typedef void (*QDX_DM_STOP_CALLBACK)(int16_t id, int16_t dir, void* param);
typedef void (*QDX_DM_COUNT_CALLBACK)(int16_t id, int16_t dir, uint32_t count, void* param);

/* 1.00 */
QDX_API int32_t DioInit(const char* deviceName, int16_t* id);
QDX_API int32_t DioExit(int16_t id);
QDX_API int32_t DioResetDevice(int16_t id);
QDX_API int32_t DioGetErrorString(int32_t code, char* text);
QDX_API int32_t DioSetDigitalFilter(int16_t id, int16_t filterValue); /* 0 .. 20 */
QDX_API int32_t DioInpByte(int16_t id, int16_t portNo, uint8_t* data);
QDX_API int32_t DioInpBit(int16_t id, int16_t bitNo, uint8_t* data);
QDX_API int32_t DioOutByte(int16_t id, int16_t portNo, uint8_t data);
QDX_API int32_t DioOutBit(int16_t id, int16_t bitNo, uint8_t data);
QDX_API int32_t DioEchoBackByte(int16_t id, int16_t portNo, uint8_t* data);
QDX_API int32_t DioEchoBackBit(int16_t id, int16_t bitNo, uint8_t* data);
QDX_API int32_t DioInpMultiByte(int16_t id, const int16_t* portNo, int16_t portNum, uint8_t* data);
QDX_API int32_t DioInpMultiBit(int16_t id, const int16_t* bitNo, int16_t bitNum, uint8_t* data);
QDX_API int32_t DioOutMultiByte(int16_t id, const int16_t* portNo, int16_t portNum, const uint8_t* data);
QDX_API int32_t DioOutMultiBit(int16_t id, const int16_t* bitNo, int16_t bitNum, const uint8_t* data);
QDX_API int32_t DioEchoBackMultiByte(int16_t id, const int16_t* portNo, int16_t portNum, uint8_t* data);
QDX_API int32_t DioEchoBackMultiBit(int16_t id, const int16_t* bitNo, int16_t bitNum, uint8_t* data);
/* Interrupt and trigger notifications are checked and remembered; the
 * simulated boards raise no line interrupts. */
QDX_API int32_t DioNotifyInt(int16_t id, int16_t intBit, int16_t logic, intptr_t hwnd);
QDX_API int32_t DioStopNotifyInt(int16_t id, int16_t intBit);
QDX_API int32_t DioNotifyTrg(int16_t id, int16_t trgBit, int16_t trgKind, int32_t timeMs, intptr_t hwnd);
QDX_API int32_t DioStopNotifyTrg(int16_t id, int16_t trgBit);
/* infoType 1: number of input lines, 2: number of output lines,
 * 3: minimum internal clock period in ns, 4: bus kind (1 PCI Express, 2 PCI). */
QDX_API int32_t DioGetDeviceInfo(const char* deviceName, int16_t infoType, int32_t* param1, int32_t* param2,
                                 int32_t* param3);
QDX_API int32_t DioQueryDeviceName(int16_t index, char* deviceName, char* device);
QDX_API int32_t DioGetDeviceType(const char* device, int16_t* deviceType); /* 1 PCI Express, 2 PCI */
QDX_API int32_t DioGetMaxPorts(int16_t id, int16_t* inPortNum, int16_t* outPortNum);
QDX_API int32_t DioSetIoDirection(int16_t id, uint32_t dir);
QDX_API int32_t DioGetIoDirection(int16_t id, uint32_t* dir);
/* 2.00 */
QDX_API int32_t DioNotifyInterrupt(int16_t id, int16_t intBit, int16_t logic, intptr_t eventHandle);
QDX_API int32_t DioSet8255Mode(int16_t id, uint16_t chipNo, uint16_t ctrlWord);  /* QDX_ERR_NOT_SUPPORTED */
QDX_API int32_t DioGet8255Mode(int16_t id, uint16_t chipNo, uint16_t* ctrlWord); /* QDX_ERR_NOT_SUPPORTED */
/* 2.02 */
QDX_API int32_t DioDmSetDirection(int16_t id, int16_t dir);
QDX_API int32_t DioDmGetDirection(int16_t id, int16_t* dir);
QDX_API int32_t DioDmSetStandAlone(int16_t id);
QDX_API int32_t DioDmSetMaster(int16_t id, int16_t extSig1, int16_t extSig2, int16_t extSig3, int16_t masterHalt,
                               int16_t slaveHalt);
QDX_API int32_t DioDmSetSlave(int16_t id, int16_t extSig1, int16_t extSig2, int16_t extSig3, int16_t masterHalt,
                              int16_t slaveHalt);
QDX_API int32_t DioDmSetStartTrigger(int16_t id, int16_t dir, int16_t start);
QDX_API int32_t DioDmSetStartPattern(int16_t id, uint32_t pattern, uint32_t mask);
QDX_API int32_t DioDmSetClockTrigger(int16_t id, int16_t dir, int16_t clock);
QDX_API int32_t DioDmSetInternalClock(int16_t id, int16_t dir, uint32_t clock, int16_t unit);
QDX_API int32_t DioDmSetStopTrigger(int16_t id, int16_t dir, int16_t stop);
QDX_API int32_t DioDmSetStopNumber(int16_t id, int16_t dir, uint32_t stopNumber); /* 1 .. 0xFFFFFFFF */
QDX_API int32_t DioDmFifoReset(int16_t id, int16_t reset); /* 1 input, 2 output, 4 all (bits may be combined) */
QDX_API int32_t DioDmSetBuffer(int16_t id, int16_t dir, uint32_t* buffer, uint32_t length, int16_t isRing);
QDX_API int32_t DioDmSetTransferStartWait(int16_t id, int16_t timeMs); /* 0 .. 10000: delay before the start */
QDX_API int32_t DioDmTransferStart(int16_t id, int16_t dir);
QDX_API int32_t DioDmTransferStop(int16_t id, int16_t dir); /* 0 also when no transfer runs */
QDX_API int32_t DioDmGetStatus(int16_t id, int16_t dir, uint32_t* status, uint32_t* err);
QDX_API int32_t DioDmGetCount(int16_t id, int16_t dir, uint32_t* count, uint32_t* carry);
QDX_API int32_t DioDmGetWritePointer(int16_t id, int16_t dir, uint32_t* writePointer, uint32_t* count,
                                     uint32_t* carry);
QDX_API int32_t DioDmSetStopEvent(int16_t id, int16_t dir, intptr_t hwnd);
QDX_API int32_t DioDmSetStopCallBackProc(int16_t id, QDX_DM_STOP_CALLBACK proc, void* param);
QDX_API int32_t DioDmSetCountEvent(int16_t id, int16_t dir, uint32_t count, intptr_t hwnd); /* count 0: off */
QDX_API int32_t DioDmSetCountCallBackProc(int16_t id, QDX_DM_COUNT_CALLBACK proc, void* param);

/*
 * Host message delivery (not one of the 53 board operations; resolve it by
 * name, it is optional for the host).
 *
 * The library delivers window messages by calling post(hwnd, msg, wparam,
 * lparam, ctx) on its own thread. The host turns it into a queued message to
 * the window named by hwnd (a handle it gave to DioDmSetStopEvent or
 * DioDmSetCountEvent). The function must not block for long and must not call
 * DioSimSetMessagePoster. Passing a null post removes the poster; once
 * DioSimSetMessagePoster returns, the previous poster is never called again.
 * Without a poster nothing is posted.
 */
typedef void (*QDX_MESSAGE_POSTER)(intptr_t hwnd, uint32_t msg, uintptr_t wparam, intptr_t lparam, void* ctx);
QDX_API void DioSimSetMessagePoster(QDX_MESSAGE_POSTER post, void* ctx);

#ifdef __cplusplus
}
#endif

#endif /* QDXAPI_H */
