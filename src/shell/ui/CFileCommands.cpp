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
#include "resources/StringIds.h"

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

void AddRecent(ICommandHost& host, RECENT_LIST list, const std::string& path) {
    if (IRecentFiles* recent = host.RecentFiles()) {
        recent->AddRecentFile(list, path);
    }
}

FileResult ReadCondition(IDocumentWindow& window, const std::string& path) {
    const int direction = window.Document().Condition().Direction;
    FileResult result = ReadConditionFile(window.Document(), window.FileWindow(), path);
    if (window.Document().Condition().Direction != direction) {
        // The window now shows the other direction's records, as after a
        // change of direction in the grid.
        window.FileWindow().RebuildBookmarkMarkers();
        window.FileWindow().RebuildSignalTree();
    }
    return result;
}

FileResult ReadDataPattern(IDocumentWindow& window, const std::string& path) {
    return ReadDataPatternFile(window.Document(), window.FileWindow(), path);
}

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
        const auto chosen = m_host.FileChooser().ChooseFileToOpen(ConditionFilter, "nvc");
        if (chosen && !chosen->empty()) (void)OpenConditionFile(m_host, *chosen);
    });
    registry.AddCommand(cmd::FileSaveCondition, [this] {
        SaveOtherFile(ConditionFilter, "*.nvc", RECENT_LIST::ConditionFiles,
                      [](IDocumentWindow& window, const std::string& path) {
                          return WriteConditionFile(window.Document(), path);
                      });
    });
    registry.AddCommand(cmd::FileOpenDataPattern, [this] {
        const auto chosen = m_host.FileChooser().ChooseFileToOpen(DataPatternFilter, "bdp");
        if (chosen && !chosen->empty()) (void)OpenDataPatternFile(m_host, *chosen);
    });
    registry.AddCommand(cmd::FileSaveDataPattern, [this] {
        SaveOtherFile(DataPatternFilter, "*.bdp", RECENT_LIST::DataPatternFiles,
                      [](IDocumentWindow& window, const std::string& path) {
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
    if (read) {
        AddRecent(host, RECENT_LIST::PulseFiles, path);
    }
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
        AddRecent(m_host, RECENT_LIST::PulseFiles, path);
    }
}

CPulseFileCommands::Outcome CFileCommands::SaveAs(ICommandHost& host, IDocumentWindow& window) {
    CPulseFileCommands commands(host.FileChooser(), host.Messages());
    std::string path = window.PathName();
    const CPulseFileCommands::Outcome outcome = commands.SaveAs(window.PulseFiles(), path, window.Document().Saved);
    if (outcome == CPulseFileCommands::Outcome::Done) {
        window.SetPathName(path);
        AddRecent(host, RECENT_LIST::PulseFiles, path);
    }
    return outcome;
}

bool CFileCommands::OpenConditionFile(ICommandHost& host, const std::string& path) {
    return ReadOtherFile(host, RECENT_LIST::ConditionFiles, path, ReadCondition);
}

bool CFileCommands::OpenDataPatternFile(ICommandHost& host, const std::string& path) {
    return ReadOtherFile(host, RECENT_LIST::DataPatternFiles, path, ReadDataPattern);
}

// Condition and data pattern files: a document is created first for a read
// when none is open; a write needs one.
bool CFileCommands::ReadOtherFile(ICommandHost& host, RECENT_LIST list, const std::string& path,
                                  const FILE_STEP& read) {
    IDocumentWindow* window = host.ActiveOrNewWindow();
    if (window == nullptr) {
        return false;
    }
    FileResult result;
    {
        CWaitCursor wait;
        result = read(*window, path);
    }
    if (result.Ok) {
        AddRecent(host, list, path);
    } else {
        host.Messages().ShowMessage(LoadText(IDS_OPEN_FAILED), MessageIcon::Error);
    }
    window->FileWindow().Repaint();
    host.RefreshGrid();
    return result.Ok;
}

void CFileCommands::SaveOtherFile(const char* filter, const char* extension, RECENT_LIST list,
                                  const FILE_STEP& write) {
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
    if (result.Ok) {
        AddRecent(m_host, list, *chosen);
    } else {
        m_host.Messages().ShowMessage(LoadText(IDS_SAVE_FAILED), MessageIcon::Error);
    }
}
