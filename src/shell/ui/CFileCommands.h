#pragma once
#include <functional>
#include <string>

#include "document/ICommandModule.h"
#include "files/FileResult.h"
#include "shell/CPulseFileCommands.h"
#include "shell/IRecentFiles.h"

class ICommandHost;

// The file commands: Open, Save and Save As of pulse files, Close, and the
// condition and data pattern files with their dialogs, filters and messages.
class CFileCommands final : public ICommandModule {
public:
    static constexpr const char* ConditionFilter = "VARDEK Nivara Config (*.nvc) |*.nvc||";
    static constexpr const char* DataPatternFilter = "VARDEK Basic Data Pattern (*.bdp) |*.bdp||";

    explicit CFileCommands(ICommandHost& host);

    void Register(ICommandRegistry& registry) override;

    // Reads a pulse file into the active document window (creating the
    // document first when there is none), as Open does after its dialog.
    // Every read or write that succeeds puts its path at the head of its
    // recent-file list.
    static bool OpenPulseFile(ICommandHost& host, const std::string& path);
    // Reads a condition or data pattern file as Open Condition File and Open
    // Data Pattern do after their dialogs (64515 when it fails).
    static bool OpenConditionFile(ICommandHost& host, const std::string& path);
    static bool OpenDataPatternFile(ICommandHost& host, const std::string& path);
    // Save As of the window's document; Done when the file was written.
    [[nodiscard]] static CPulseFileCommands::Outcome SaveAs(ICommandHost& host, IDocumentWindow& window);

private:
    using FILE_STEP = std::function<FileResult(IDocumentWindow&, const std::string&)>;

    void OnFileOpen();
    void OnFileSave();
    static bool ReadOtherFile(ICommandHost& host, RECENT_LIST list, const std::string& path, const FILE_STEP& read);
    void SaveOtherFile(const char* filter, const char* extension, RECENT_LIST list, const FILE_STEP& write);

    ICommandHost& m_host;
};
