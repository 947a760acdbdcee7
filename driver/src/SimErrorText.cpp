#include "SimErrorText.h"

#include "qdxapi.h"

namespace qdxsim {

std::string ErrorText(int32_t code)
{
    switch (code) {
    case QDX_OK: return "Normal completed";
    case QDX_ERR_NO_DEVICE_AT_INDEX: return "There is no device at this index";
    case QDX_ERR_END_OF_LIST: return "There are no more devices";
    case QDX_ERR_INVALID_ID: return "Invalid device id: the device is not open";
    case QDX_ERR_INVALID_DEVICE_NAME: return "Invalid device name: no such device is installed";
    case QDX_ERR_INVALID_DIRECTION: return "Invalid transfer direction";
    case QDX_ERR_INVALID_PARAMETER: return "A parameter is out of range";
    case QDX_ERR_NULL_POINTER: return "A required pointer is null";
    case QDX_ERR_BUSY: return "Not allowed while the transfer is running";
    case QDX_ERR_NO_BUFFER: return "No transfer buffer has been set";
    case QDX_ERR_BUFFER_REFUSED: return "The transfer buffer cannot be used: it is too long for the device";
    case QDX_ERR_CLOCK_RANGE: return "The internal clock is outside the range of the device";
    case QDX_ERR_TOO_MANY_OPEN: return "Too many devices are open";
    case QDX_ERR_DIRECTION_NOT_SET: return "The transfer direction has not been enabled on the device";
    case QDX_ERR_NOT_SUPPORTED: return "The device does not support this function";
    case QDX_ERR_PORT_RANGE: return "The port or bit number is beyond the lines of the device";
    default: return "Unknown error code " + std::to_string(code);
    }
}

}  // namespace qdxsim
