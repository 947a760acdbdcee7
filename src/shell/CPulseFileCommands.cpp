#include "shell/CPulseFileCommands.h"

#include "document/IUserMessages.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"
#include "document/IFileChooser.h"
#include "files/CVcdWriter.h"
#include "shell/IPulseFileAccess.h"

CPulseFileCommands::CPulseFileCommands(IFileChooser& chooser, IUserMessages& messages)
    : m_chooser(chooser), m_messages(messages) {}

CPulseFileCommands::Outcome CPulseFileCommands::ChooseOpen(std::string& path) {
    const auto chosen = m_chooser.ChooseFileToOpen(PulseFilter, OpenExtension);
    if (!chosen || chosen->empty()) {
        return Outcome::Cancelled;
    }
    path = *chosen;
    return Outcome::Done;
}

CPulseFileCommands::Outcome CPulseFileCommands::Read(IPulseFileAccess& access, const std::string& path,
                                                     std::atomic<int32_t>& saved) {
    if (CVcdWriter::IsVcdPath(path)) {
        return ReadDump(access, path);
    }
    if (!access.ReadPulseFile(path)) {
        m_messages.ShowMessage(LoadText(IDS_OPEN_FAILED), MessageIcon::Error);
        return Outcome::Failed;
    }
    saved = 1;
    return Outcome::Done;
}

// A refused dump names the file, the line and the reason below the message.
CPulseFileCommands::Outcome CPulseFileCommands::ReadDump(IPulseFileAccess& access, const std::string& path) {
    std::vector<std::string> warnings;
    const FileResult result = access.ReadValueChangeDump(path, warnings);
    if (!result) {
        m_messages.ShowMessage(LoadText(IDS_OPEN_FAILED) + "\r\n" + result.Reason, MessageIcon::Error);
        return Outcome::Failed;
    }
    if (!warnings.empty()) {
        std::string text = LoadText(IDS_VCD_READ_WARNINGS);
        for (const std::string& warning : warnings) {
            text += "\r\n" + warning;
        }
        m_messages.ShowMessage(text, MessageIcon::Warning);
    }
    return Outcome::Done;
}

CPulseFileCommands::Outcome CPulseFileCommands::Save(IPulseFileAccess& access, std::string& path,
                                                     std::atomic<int32_t>& saved) {
    if (path.empty()) {
        return SaveAs(access, path, saved);
    }
    return Write(access, path, saved);
}

CPulseFileCommands::Outcome CPulseFileCommands::SaveAs(IPulseFileAccess& access, std::string& path,
                                                       std::atomic<int32_t>& saved) {
    const auto chosen = m_chooser.ChooseFileToSave(PulseFilter, SaveExtension, path);
    if (!chosen || chosen->empty()) {
        return Outcome::Cancelled;
    }
    const Outcome outcome = Write(access, *chosen, saved);
    if (outcome == Outcome::Done) {
        path = *chosen;
    }
    return outcome;
}

CPulseFileCommands::Outcome CPulseFileCommands::Write(IPulseFileAccess& access, const std::string& path,
                                                      std::atomic<int32_t>& saved) {
    if (CVcdWriter::IsVcdPath(path)) {
        return WriteDump(access, path);
    }
    if (!access.WritePulseFile(path)) {
        m_messages.ShowMessage(LoadText(IDS_SAVE_FAILED), MessageIcon::Error);
        return Outcome::Failed;
    }
    saved = 1;
    return Outcome::Done;
}

// A dump does not hold the whole condition: the document stays as unsaved
// as it was.
CPulseFileCommands::Outcome CPulseFileCommands::WriteDump(IPulseFileAccess& access, const std::string& path) {
    const FileResult result = access.WriteValueChangeDump(path);
    if (!result) {
        m_messages.ShowMessage(LoadText(IDS_SAVE_FAILED) + "\r\n" + result.Reason, MessageIcon::Error);
        return Outcome::Failed;
    }
    return Outcome::Copied;
}
