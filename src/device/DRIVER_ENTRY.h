#pragma once

// One row of the driver binding table. The table holds 53 rows, one per
// exported operation, and ends with a terminator row whose LibraryName is "".
struct DRIVER_ENTRY {
    const char* LibraryName = "";     // file name of the library
    const char* FunctionName = "";    // exported function, looked up by name
    void** Slot = nullptr;            // receives the bound address; null until bound
    const char* MinimumVersion = "";  // library version from which the function exists (message only)
};
