/*
 * qdxapi_sim.h - bench control interface of the simulated QDX boards.
 *
 * These exports sit beside the 53 board operations of qdxapi.h. They play the
 * part of the bench around the boards: the board set, the signals wired to
 * the inputs, the external trigger lines and clocks, and faults. Tests and
 * users resolve them by name like the board operations.
 *
 * Boards are named by their device name ("DIO000"). Every function returns
 * QDX_OK or a QDX_ERR_* code and changes nothing on failure.
 */
#ifndef QDXAPI_SIM_H
#define QDXAPI_SIM_H

#include "qdxapi.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Input sources of a board's 32 input lines. */
#define QDX_SIM_INPUT_COUNTER 1  /* word k of a transfer = k: channel j toggles every 2^j clocks */
#define QDX_SIM_INPUT_LOOPBACK 2 /* the output lines of the last board that generated (bench wire) */
#define QDX_SIM_INPUT_ZERO 3     /* all lines low */

/* External trigger lines and edges. */
#define QDX_SIM_LINE_START 1
#define QDX_SIM_LINE_STOP 2
#define QDX_SIM_LINE_BOTH 3
#define QDX_SIM_EDGE_RISING 1
#define QDX_SIM_EDGE_FALLING 2

/*
 * Replaces the board set. Syntax: entries separated by ",", one per
 * enumeration index: "NAME:TYPE" or "NAME:TYPE:INPUT" (INPUT counter,
 * loopback or zero) is a board; "#CODE" makes that index answer CODE without
 * a device (for example "#20003"). After the last entry DioQueryDeviceName
 * answers QDX_ERR_END_OF_LIST. Names may not contain blanks.
 * All open ids are closed and all transfers end silently first.
 * A null or empty text restores the default bench (see driver/README.md).
 */
QDX_API int32_t DioSimConfigureBoards(const char* boards);

/* Input source of one board (QDX_SIM_INPUT_*). */
QDX_API int32_t DioSimSetInputSource(const char* deviceName, int32_t source);

/* Rate of the external clock (clock type 2) and of the handshake (clock type 3)
 * in words per second; 0 stops the clock. Defaults 1,000,000 and 100,000.
 * A rate above the model's limit gives error bit 0x10 at the transfer start. */
QDX_API int32_t DioSimSetExternalClockRate(const char* deviceName, uint32_t wordsPerSecond);
QDX_API int32_t DioSimSetHandshakeRate(const char* deviceName, uint32_t wordsPerSecond);

/* Fires an edge on the external start line, stop line or both at once
 * (QDX_SIM_LINE_*, QDX_SIM_EDGE_*). It acts on every engine of the board that
 * waits for it. Both lines at once while a transfer waits for an external
 * start and has an external stop condition gives error bit 0x08. */
QDX_API int32_t DioSimFireTrigger(const char* deviceName, int32_t line, int32_t edge);

/* Sets error bits (0x01 .. 0x40) on an engine; a running or waiting transfer
 * ends. dir 1 or 2. */
QDX_API int32_t DioSimRaiseError(const char* deviceName, int16_t dir, uint32_t errorBits);

/* Makes the named board operation fail with code for the next `times` calls
 * (-1: until cleared; 0: clear). The failing call logs itself and changes
 * nothing. A null name clears every injected failure. */
QDX_API int32_t DioSimFailFunction(const char* functionName, int32_t code, int32_t times);

/* DioDmSetBuffer refuses (QDX_ERR_BUFFER_REFUSED) buffers longer than
 * maxWords words; 0 removes the limit. */
QDX_API int32_t DioSimSetMaxBufferLength(uint32_t maxWords);

/*
 * Call log of the 53 board operations: one line per call, "Name(arg, arg)"
 * with inputs as decimal numbers (pointers to host buffers and windows as
 * 0x.. hexadecimal, texts as they are) and outputs as "out". Lines end with
 * "\n". The log keeps the last 65,536 calls. DioSimGetCallLog copies as much
 * as fits (always terminated) and returns the size the whole log needs,
 * terminator included.
 */
QDX_API int32_t DioSimEnableCallLog(int32_t enabled); /* enabled by default */
QDX_API int32_t DioSimClearCallLog(void);
QDX_API uint32_t DioSimGetCallLog(char* text, uint32_t size);

#ifdef __cplusplus
}
#endif

#endif /* QDXAPI_SIM_H */
