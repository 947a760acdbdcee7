#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "device/DRIVER_ENTRY.h"
#include "device/QDX_ENTRY_POINTS.h"
#include "device/RUN_DRIVER_CALLS.h"

class CLogicDocument;
class IUserMessages;

// The binding of the board driver library and the device list built from it.
// The library is loaded at run time by file name and never unloaded. No entry
// point is called unless every row of the table was bound: Call answers
// DRIVER_NOT_BOUND instead. Used on the window thread only.
class CDriverBinding {
public:
    static constexpr const char* LIBRARY_NAME = "libqdxapi.so";
    static constexpr std::size_t TABLE_ROWS = 53;
    // Result of a call through an unbound binding.
    static constexpr int32_t DRIVER_NOT_BOUND = -1;

    // executableFolder: the folder searched after the already loaded modules;
    // empty means the folder of the running executable.
    explicit CDriverBinding(IUserMessages& messages, std::string executableFolder = {});
    CDriverBinding(const CDriverBinding&) = delete;
    CDriverBinding& operator=(const CDriverBinding&) = delete;

    // Binds one row: true when bound; on failure the slot is emptied and
    // message receives the failure text.
    [[nodiscard]] bool BindDriverFunction(const char* libraryName, const char* functionName, void** slot,
                                          std::string& message, const char* minimumVersion);
    // Binds every row, reports a failure once (warning icon), and on success
    // enumerates the devices.
    void BindDriver();
    // Fills the device list from the library and selects entry 0.
    void EnumerateDevices();
    // Type and name of the selected entry into two 256-byte buffers; both
    // empty when nothing is selected.
    void GetSelectedDevice(char* type, char* name) const;
    // Selects the entry of that name, or shows warning 64520 and gives the
    // document the selected entry's device. True when the name was found.
    // The caller then refreshes the condition grid and reopens the device.
    bool SelectDeviceByName(CLogicDocument& document, const std::string& name);

    [[nodiscard]] bool DriverBound() const { return m_bound; }
    [[nodiscard]] const std::vector<std::string>& DeviceNames() const { return m_deviceNames; }
    [[nodiscard]] const std::vector<std::string>& DeviceTypes() const { return m_deviceTypes; }
    // The visible texts of the device list: "%s %s" (name, type).
    [[nodiscard]] const std::vector<std::string>& DeviceEntries() const { return m_deviceEntries; }
    // -1 when nothing is selected.
    [[nodiscard]] int SelectedIndex() const { return m_selected; }
    // Index -1 clears the selection; an index outside the list changes nothing.
    void SetSelectedIndex(int index);

    [[nodiscard]] const std::array<DRIVER_ENTRY, TABLE_ROWS + 1>& Table() const { return m_table; }
    [[nodiscard]] const QDX_ENTRY_POINTS& EntryPoints() const { return m_entries; }
    // The entry points a run calls; all null while the driver is not bound.
    [[nodiscard]] RUN_DRIVER_CALLS RunCalls() const;

    // Calls a bound entry point, or answers DRIVER_NOT_BOUND.
    template <typename F, typename... A>
    [[nodiscard]] int32_t Call(F QDX_ENTRY_POINTS::*entry, A... args) const
    {
        const F function = m_entries.*entry;
        if (!m_bound || function == nullptr) return DRIVER_NOT_BOUND;
        return function(args...);
    }
    // DioGetErrorString's text for a code (a text of its own when not bound).
    [[nodiscard]] std::string ErrorText(int32_t code) const;
    // Hands the library the host's message poster (an optional export of the
    // library); false when the library is not loaded or has no such export.
    bool SetMessagePoster(QDX_MESSAGE_POSTER post, void* context);

private:
    [[nodiscard]] void* LoadLibrary(const char* libraryName);
    [[nodiscard]] std::string ExecutableFolder() const;
    [[nodiscard]] static bool IsSupportedType(const std::string& type);
    void AddDevice(const std::string& name, const std::string& type);

    IUserMessages& m_messages;
    std::string m_executableFolder;
    void* m_library = nullptr;
    QDX_ENTRY_POINTS m_entries;
    std::array<DRIVER_ENTRY, TABLE_ROWS + 1> m_table;
    bool m_bound = false;
    std::vector<std::string> m_deviceNames;
    std::vector<std::string> m_deviceTypes;
    std::vector<std::string> m_deviceEntries;
    int m_selected = -1;
};
