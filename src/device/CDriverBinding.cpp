#include "device/CDriverBinding.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstring>

#include "document/CLogicDocument.h"
#include "document/IUserMessages.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {

constexpr std::size_t TEXT_SIZE = 256;

// The binding's own texts follow the operating system's language, not the
// application's language setting.
[[nodiscard]] bool JapaneseSystem() { return CStringTable::LanguageFromEnvironment() == LANGUAGE_JAPANESE; }

[[nodiscard]] std::string NoFileText(const char* library)
{
    return JapaneseSystem() ? CStringTable::FormatPrintf("ファイルがありません。<%s>", library)
                            : CStringTable::FormatPrintf("No file : %s", library);
}

[[nodiscard]] std::string MissingFunctionText(const char* library, const char* function)
{
    return JapaneseSystem() ? CStringTable::FormatPrintf("ライブラリ<%s>に関数<%s>がありません。", library, function)
                            : CStringTable::FormatPrintf("Function <%s> is not included in DLL file <%s>", function,
                                                         library);
}

[[nodiscard]] std::string VersionText(const std::string& previous, const char* version)
{
    return JapaneseSystem()
               ? CStringTable::FormatPrintf("%s\nこの関数はバージョン %s からサポートされています。",
                                            previous.c_str(), version)
               : CStringTable::FormatPrintf("%s\nThis function is supported from Ver.%s", previous.c_str(), version);
}

void CopyText(char* to, const std::string& text)
{
    const std::size_t length = std::min(text.size(), TEXT_SIZE - 1);
    std::memcpy(to, text.data(), length);
    to[length] = '\0';
}

template <typename F>
[[nodiscard]] DRIVER_ENTRY Row(const char* function, F* slot, const char* version)
{
    // The slots are the typed function pointers of QDX_ENTRY_POINTS; the
    // platform's loader hands out addresses as void*.
    return DRIVER_ENTRY{CDriverBinding::LIBRARY_NAME, function, reinterpret_cast<void**>(slot), version};
}

}  // namespace

CDriverBinding::CDriverBinding(IUserMessages& messages, std::string executableFolder)
    : m_messages(messages), m_executableFolder(std::move(executableFolder))
{
    QDX_ENTRY_POINTS& entries = m_entries;
    m_table = {
        Row("DioInit", &entries.DioInit, "1.00"),
        Row("DioExit", &entries.DioExit, "1.00"),
        Row("DioResetDevice", &entries.DioResetDevice, "1.00"),
        Row("DioGetErrorString", &entries.DioGetErrorString, "1.00"),
        Row("DioSetDigitalFilter", &entries.DioSetDigitalFilter, "1.00"),
        Row("DioInpByte", &entries.DioInpByte, "1.00"),
        Row("DioInpBit", &entries.DioInpBit, "1.00"),
        Row("DioOutByte", &entries.DioOutByte, "1.00"),
        Row("DioOutBit", &entries.DioOutBit, "1.00"),
        Row("DioEchoBackByte", &entries.DioEchoBackByte, "1.00"),
        Row("DioEchoBackBit", &entries.DioEchoBackBit, "1.00"),
        Row("DioInpMultiByte", &entries.DioInpMultiByte, "1.00"),
        Row("DioInpMultiBit", &entries.DioInpMultiBit, "1.00"),
        Row("DioOutMultiByte", &entries.DioOutMultiByte, "1.00"),
        Row("DioOutMultiBit", &entries.DioOutMultiBit, "1.00"),
        Row("DioEchoBackMultiByte", &entries.DioEchoBackMultiByte, "1.00"),
        Row("DioEchoBackMultiBit", &entries.DioEchoBackMultiBit, "1.00"),
        Row("DioNotifyInt", &entries.DioNotifyInt, "1.00"),
        Row("DioStopNotifyInt", &entries.DioStopNotifyInt, "1.00"),
        Row("DioNotifyTrg", &entries.DioNotifyTrg, "1.00"),
        Row("DioStopNotifyTrg", &entries.DioStopNotifyTrg, "1.00"),
        Row("DioGetDeviceInfo", &entries.DioGetDeviceInfo, "1.00"),
        Row("DioQueryDeviceName", &entries.DioQueryDeviceName, "1.00"),
        Row("DioGetDeviceType", &entries.DioGetDeviceType, "1.00"),
        Row("DioGetMaxPorts", &entries.DioGetMaxPorts, "1.00"),
        Row("DioSetIoDirection", &entries.DioSetIoDirection, "1.00"),
        Row("DioGetIoDirection", &entries.DioGetIoDirection, "1.00"),
        Row("DioNotifyInterrupt", &entries.DioNotifyInterrupt, "2.00"),
        Row("DioSet8255Mode", &entries.DioSet8255Mode, "2.00"),
        Row("DioGet8255Mode", &entries.DioGet8255Mode, "2.00"),
        Row("DioDmSetDirection", &entries.DioDmSetDirection, "2.02"),
        Row("DioDmGetDirection", &entries.DioDmGetDirection, "2.02"),
        Row("DioDmSetStandAlone", &entries.DioDmSetStandAlone, "2.02"),
        Row("DioDmSetMaster", &entries.DioDmSetMaster, "2.02"),
        Row("DioDmSetSlave", &entries.DioDmSetSlave, "2.02"),
        Row("DioDmSetStartTrigger", &entries.DioDmSetStartTrigger, "2.02"),
        Row("DioDmSetStartPattern", &entries.DioDmSetStartPattern, "2.02"),
        Row("DioDmSetClockTrigger", &entries.DioDmSetClockTrigger, "2.02"),
        Row("DioDmSetInternalClock", &entries.DioDmSetInternalClock, "2.02"),
        Row("DioDmSetStopTrigger", &entries.DioDmSetStopTrigger, "2.02"),
        Row("DioDmSetStopNumber", &entries.DioDmSetStopNumber, "2.02"),
        Row("DioDmFifoReset", &entries.DioDmFifoReset, "2.02"),
        Row("DioDmSetBuffer", &entries.DioDmSetBuffer, "2.02"),
        Row("DioDmSetTransferStartWait", &entries.DioDmSetTransferStartWait, "2.02"),
        Row("DioDmTransferStart", &entries.DioDmTransferStart, "2.02"),
        Row("DioDmTransferStop", &entries.DioDmTransferStop, "2.02"),
        Row("DioDmGetStatus", &entries.DioDmGetStatus, "2.02"),
        Row("DioDmGetCount", &entries.DioDmGetCount, "2.02"),
        Row("DioDmGetWritePointer", &entries.DioDmGetWritePointer, "2.02"),
        Row("DioDmSetStopEvent", &entries.DioDmSetStopEvent, "2.02"),
        Row("DioDmSetStopCallBackProc", &entries.DioDmSetStopCallBackProc, "2.02"),
        Row("DioDmSetCountEvent", &entries.DioDmSetCountEvent, "2.02"),
        Row("DioDmSetCountCallBackProc", &entries.DioDmSetCountCallBackProc, "2.02"),
        DRIVER_ENTRY{},
    };
}

std::string CDriverBinding::ExecutableFolder() const
{
    if (!m_executableFolder.empty()) return m_executableFolder;
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    const std::string executable(path, static_cast<std::size_t>(length));
    const std::size_t slash = executable.rfind('/');
    return slash == std::string::npos ? std::string{} : executable.substr(0, slash);
}

void* CDriverBinding::LoadLibrary(const char* libraryName)
{
    if (m_library != nullptr) return m_library;
    // Already loaded into the process, then beside the executable, then the
    // system's library path.
    void* handle = dlopen(libraryName, RTLD_NOW | RTLD_NOLOAD);
    const std::string folder = ExecutableFolder();
    if (handle == nullptr && !folder.empty()) handle = dlopen((folder + "/" + libraryName).c_str(), RTLD_NOW);
    if (handle == nullptr) handle = dlopen(libraryName, RTLD_NOW);
    m_library = handle;
    return handle;
}

bool CDriverBinding::BindDriverFunction(const char* libraryName, const char* functionName, void** slot,
                                        std::string& message, const char* minimumVersion)
{
    void* library = LoadLibrary(libraryName);
    if (library == nullptr) {
        *slot = nullptr;
        message = NoFileText(libraryName);
        return false;
    }
    *slot = dlsym(library, functionName);
    if (*slot != nullptr) return true;
    message = MissingFunctionText(libraryName, functionName);
    if (minimumVersion != nullptr && *minimumVersion != '\0') message = VersionText(message, minimumVersion);
    return false;
}

void CDriverBinding::BindDriver()
{
    std::string message;
    bool success = true;
    for (const DRIVER_ENTRY& row : m_table) {
        if (*row.LibraryName == '\0') break;
        if (!BindDriverFunction(row.LibraryName, row.FunctionName, row.Slot, message, row.MinimumVersion)) {
            success = false;
        }
    }
    m_bound = success;
    if (!m_bound) {
        m_messages.ShowMessage(message, MessageIcon::Warning);
        return;
    }
    EnumerateDevices();
}

bool CDriverBinding::IsSupportedType(const std::string& type)
{
    return type == "QDX-32A-PE" || type == "QDX-32A(PCI)" || type == "QDX-32C-PE";
}

void CDriverBinding::AddDevice(const std::string& name, const std::string& type)
{
    m_deviceEntries.push_back(name + " " + type);
    m_deviceNames.push_back(name);
    m_deviceTypes.push_back(type);
}

void CDriverBinding::EnumerateDevices()
{
    m_deviceEntries.clear();
    m_deviceNames.clear();
    m_deviceTypes.clear();
    m_selected = -1;
    for (int index = 0; index <= INT16_MAX; ++index) {
        char name[TEXT_SIZE] = {};
        char type[TEXT_SIZE] = {};
        const int32_t result =
            Call(&QDX_ENTRY_POINTS::DioQueryDeviceName, static_cast<int16_t>(index), name, type);
        if (result == QDX_ERR_NO_DEVICE_AT_INDEX) continue;
        if (result != 0) break;
        name[TEXT_SIZE - 1] = '\0';
        type[TEXT_SIZE - 1] = '\0';
        if (IsSupportedType(type)) AddDevice(name, type);
    }
    if (!m_deviceNames.empty()) m_selected = 0;
}

void CDriverBinding::SetSelectedIndex(int index)
{
    if (index < -1 || index >= static_cast<int>(m_deviceNames.size())) return;
    m_selected = index;
}

void CDriverBinding::GetSelectedDevice(char* type, char* name) const
{
    const bool selected = m_selected >= 0;
    CopyText(type, selected ? m_deviceTypes[static_cast<std::size_t>(m_selected)] : std::string{});
    CopyText(name, selected ? m_deviceNames[static_cast<std::size_t>(m_selected)] : std::string{});
}

bool CDriverBinding::SelectDeviceByName(CLogicDocument& document, const std::string& name)
{
    for (std::size_t i = 0; i < m_deviceNames.size(); ++i) {
        if (m_deviceNames[i] == name) {
            m_selected = static_cast<int>(i);
            return true;
        }
    }
    m_messages.ShowMessage(LoadText(IDS_INVALID_DEVICE_NAME), MessageIcon::Warning);
    char type[TEXT_SIZE];
    char selectedName[TEXT_SIZE];
    GetSelectedDevice(type, selectedName);
    document.SetDevice(type, selectedName);
    return false;
}

RUN_DRIVER_CALLS CDriverBinding::RunCalls() const
{
    RUN_DRIVER_CALLS calls;
    if (!m_bound) return calls;
    calls.DioInit = m_entries.DioInit;
    calls.DioExit = m_entries.DioExit;
    calls.DioResetDevice = m_entries.DioResetDevice;
    calls.DioGetErrorString = m_entries.DioGetErrorString;
    calls.DioDmSetDirection = m_entries.DioDmSetDirection;
    calls.DioDmSetStandAlone = m_entries.DioDmSetStandAlone;
    calls.DioDmSetStartTrigger = m_entries.DioDmSetStartTrigger;
    calls.DioDmSetStartPattern = m_entries.DioDmSetStartPattern;
    calls.DioDmSetClockTrigger = m_entries.DioDmSetClockTrigger;
    calls.DioDmSetInternalClock = m_entries.DioDmSetInternalClock;
    calls.DioDmSetStopTrigger = m_entries.DioDmSetStopTrigger;
    calls.DioDmSetStopNumber = m_entries.DioDmSetStopNumber;
    calls.DioDmFifoReset = m_entries.DioDmFifoReset;
    calls.DioDmSetBuffer = m_entries.DioDmSetBuffer;
    calls.DioDmTransferStart = m_entries.DioDmTransferStart;
    calls.DioDmTransferStop = m_entries.DioDmTransferStop;
    calls.DioDmGetStatus = m_entries.DioDmGetStatus;
    calls.DioDmGetCount = m_entries.DioDmGetCount;
    calls.DioDmGetWritePointer = m_entries.DioDmGetWritePointer;
    calls.DioDmSetStopEvent = m_entries.DioDmSetStopEvent;
    calls.DioDmSetCountEvent = m_entries.DioDmSetCountEvent;
    return calls;
}

std::string CDriverBinding::ErrorText(int32_t code) const
{
    char text[TEXT_SIZE] = {};
    if (Call(&QDX_ENTRY_POINTS::DioGetErrorString, code, text) != 0) {
        return JapaneseSystem() ? "ドライバライブラリがバインドされていません。" : "The driver library is not bound.";
    }
    text[TEXT_SIZE - 1] = '\0';
    return text;
}

bool CDriverBinding::SetMessagePoster(QDX_MESSAGE_POSTER post, void* context)
{
    if (m_library == nullptr) return false;
    void* symbol = dlsym(m_library, "DioSimSetMessagePoster");
    if (symbol == nullptr) return false;
    const auto setPoster = reinterpret_cast<decltype(&::DioSimSetMessagePoster)>(symbol);
    setPoster(post, context);
    return true;
}
