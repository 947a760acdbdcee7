#include "shell/ui/CFileCommands.h"

#include <QApplication>

#include "document/CLogicDocument.h"
#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "document/IFileChooser.h"
#include "document/IUserMessages.h"
#include "files/ConditionFile.h"
#include "files/DataPatternFile.h"
#include "files/IFileWindow.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"

namespace {

// A wait cursor while a file is read or written: the window cannot answer
// until the words are in place.
class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

}  // namespace

CFileCommands::CFileCommands(ICommandHost& host) : m_host(host) {}

void CFileCommands::Register(ICommandRegistry& registry) {
    registry.AddCommand(cmd::FileOpen, [this] { OnFileOpen(); });
    registry.AddCommand(cmd::FileSave, [this] { OnFileSave(); });
    registry.AddCommand(cmd::FileSaveAs, [this] {
        if (IDocumentWindow* window = m_host.ActiveWindow()) (void)SaveAs(m_host, *window);
    });
    registry.AddCommand(cmd::FileClose, [this] {
        if (IDocumentWindow* window = m_host.ActiveWindow()) (void)window->CloseWindow();
    });
    registry.AddCommand(cmd::FileOpenCondition, [this] {
        OpenOtherFile(ConditionFilter, "nvc", [](IDocumentWindow& window, const std::string& path) {
            return ReadConditionFile(window.Document(), window.FileWindow(), path);
        });
    });
    registry.AddCommand(cmd::FileSaveCondition, [this] {
        SaveOtherFile(ConditionFilter, "*.nvc", [](IDocumentWindow& window, const std::string& path) {
            return WriteConditionFile(window.Document(), path);
        });
    });
    registry.AddCommand(cmd::FileOpenDataPattern, [this] {
        OpenOtherFile(DataPatternFilter, "bdp", [](IDocumentWindow& window, const std::string& path) {
            return ReadDataPatternFile(window.Document(), window.FileWindow(), path);
        });
    });
    registry.AddCommand(cmd::FileSaveDataPattern, [this] {
        SaveOtherFile(DataPatternFilter, "*.bdp", [](IDocumentWindow& window, const std::string& path) {
            return WriteDataPatternFile(window.Document(), path);
        });
    });
}

void CFileCommands::OnFileOpen() {
    CPulseFileCommands commands(m_host.FileChooser(), m_host.Messages());
    std::string path;
    if (commands.ChooseOpen(path) == CPulseFileCommands::Outcome::Done) {
        (void)OpenPulseFile(m_host, path);
    }
}

bool CFileCommands::OpenPulseFile(ICommandHost& host, const std::string& path) {
    IDocumentWindow* window = host.ActiveOrNewWindow();
    if (window == nullptr) {
        return false;
    }
    CPulseFileCommands commands(host.FileChooser(), host.Messages());
    host.ShowStatusMessage(path);
    bool read = false;
    {
        CWaitCursor wait;
        read = commands.Read(window->PulseFiles(), path, window->Document().Saved) ==
               CPulseFileCommands::Outcome::Done;
    }
    host.ShowStatusMessage(std::string());
    host.RefreshGrid();
    host.UpdateCommandUI();
    return read;
}

void CFileCommands::OnFileSave() {
    IDocumentWindow* window = m_host.ActiveWindow();
    if (window == nullptr) {
        return;
    }
    CPulseFileCommands commands(m_host.FileChooser(), m_host.Messages());
    std::string path = window->PathName();
    if (commands.Save(window->PulseFiles(), path, window->Document().Saved) == CPulseFileCommands::Outcome::Done) {
        window->SetPathName(path);
    }
}

CPulseFileCommands::Outcome CFileCommands::SaveAs(ICommandHost& host, IDocumentWindow& window) {
    CPulseFileCommands commands(host.FileChooser(), host.Messages());
    std::string path = window.PathName();
    const CPulseFileCommands::Outcome outcome = commands.SaveAs(window.PulseFiles(), path, window.Document().Saved);
    if (outcome == CPulseFileCommands::Outcome::Done) {
        window.SetPathName(path);
    }
    return outcome;
}

// Condition and data pattern files: a document is created first for a read
// when none is open; a write needs one.
void CFileCommands::OpenOtherFile(const char* filter, const char* extension, const FILE_STEP& read) {
    const auto chosen = m_host.FileChooser().ChooseFileToOpen(filter, extension);
    if (!chosen || chosen->empty()) {
        return;
    }
    IDocumentWindow* window = m_host.ActiveOrNewWindow();
    if (window == nullptr) {
        return;
    }
    FileResult result;
    {
        CWaitCursor wait;
        result = read(*window, *chosen);
    }
    if (!result.Ok) {
        m_host.Messages().ShowMessage(LoadText(CPulseFileCommands::OpenFailedMessage), MessageIcon::Error);
    }
    window->FileWindow().Repaint();
    m_host.RefreshGrid();
}

void CFileCommands::SaveOtherFile(const char* filter, const char* extension, const FILE_STEP& write) {
    IDocumentWindow* window = m_host.ActiveWindow();
    if (window == nullptr) {
        return;
    }
    const auto chosen = m_host.FileChooser().ChooseFileToSave(filter, extension, window->PathName());
    if (!chosen || chosen->empty()) {
        return;
    }
    FileResult result;
    {
        CWaitCursor wait;
        result = write(*window, *chosen);
    }
    if (!result.Ok) {
        m_host.Messages().ShowMessage(LoadText(CPulseFileCommands::SaveFailedMessage), MessageIcon::Error);
    }
}
