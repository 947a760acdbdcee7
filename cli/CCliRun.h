#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CCliSession.h"
#include "device/CDriverBinding.h"
#include "device/CHeadlessGraph.h"
#include "device/CHeadlessWindow.h"
#include "device/CRunMessageLoop.h"
#include "document/IUserMessages.h"

class CDeviceRun;

// A board run from the command line, for sample and generate: binds the
// board library, applies the condition options, runs with a message loop,
// shows progress on a terminal and the operation status at the end. Ctrl+C,
// SIGTERM and SIGHUP stop the run cleanly: every sampled word reaches the
// files.
class CCliRun : public IUserMessages {
public:
    explicit CCliRun(CCliSession& session);
    ~CCliRun() override;
    CCliRun(const CCliRun&) = delete;
    CCliRun& operator=(const CCliRun&) = delete;

    // Options shared by both commands, applied to the group of `direction`.
    // Unknown options and bad values give false with a message. A first
    // argument that is not an option names a file read before the options
    // (a condition file, or for generate also a pulse file).
    [[nodiscard]] bool ApplyOptions(const std::vector<std::string>& arguments, int direction, std::string& error);
    // Before the board starts: --out and --auto-save can be written; false
    // with a message naming the path otherwise.
    [[nodiscard]] bool CheckOutputs() const;
    // After the run: writes --out, only from a run that sampled words.
    [[nodiscard]] bool SaveOutput();
    // Binds the library and opens the device (--device or the first listed).
    [[nodiscard]] bool OpenBoard();
    // Runs until the board stops the transfer or Ctrl+C; then prints the
    // status rows. Returns the exit status.
    [[nodiscard]] int Run();
    [[nodiscard]] const std::string& OutputPath() const { return m_output; }

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    [[nodiscard]] MessageAnswer AskYesNo(const std::string& text, MessageIcon icon) override;
    [[nodiscard]] MessageAnswer AskYesNoCancel(const std::string& text, MessageIcon icon) override;

private:
    [[nodiscard]] bool LoadFile(const std::string& path, int direction, std::string& error);
    [[nodiscard]] bool CheckRange(int direction, std::string& error) const;
    [[nodiscard]] bool ApplyOption(const std::string& name, const std::string& value, int direction,
                                   std::string& error);
    [[nodiscard]] bool ApplySamplingOption(const std::string& name, const std::string& value, std::string& error);
    void ShowProgress();
    void PrintStatus() const;
    [[nodiscard]] uint64_t TotalWords() const;

    CCliSession& m_session;
    CDriverBinding m_binding;
    CRunMessageLoop m_loop;
    CHeadlessGraph m_graph;
    CHeadlessWindow m_window{m_loop};
    std::unique_ptr<CDeviceRun> m_run;
    std::string m_device;
    std::string m_output;
    int m_failures = 0;
    bool m_started = false;
    uint32_t m_lastCount = 0;
    double m_lastTime = 0;
};
