#include "CCliSession.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "files/ConditionFile.h"
#include "files/PulseFile.h"
#include "files/CVcdReader.h"
#include "files/CVcdWriter.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {

std::string CurrentFolder() {
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}


}  // namespace

CCliSession::CCliSession() : Document(DefaultAutoSavePath()), Records(LoadText(IDS_SIGNAL_NAME_BASE)) {}

std::string CCliSession::DefaultAutoSavePath() {
    if (const char* documents = std::getenv("XDG_DOCUMENTS_DIR"); documents != nullptr && *documents != '\0') {
        return std::string(documents) + "/Nivara";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::string(home) + "/Documents/Nivara";
    }
    return CurrentFolder();
}

void CCliSession::Complain(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "nivara-cli: %s: %s\n", path.c_str(), reason.c_str());
}

bool CCliSession::AnswerHelp(const std::vector<std::string>& arguments, const char* usage, const char* summary) {
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            std::printf("usage: nivara-cli %s\n%s\n", usage, summary);
            return true;
        }
    }
    return false;
}

int CCliSession::UsageError(const char* usage, const std::string& message) {
    std::fprintf(stderr, "nivara-cli: %s\nusage: nivara-cli %s\n", message.c_str(), usage);
    return 1;
}

bool CCliSession::Report(const std::string& path, const FileResult& result) {
    if (!result) {
        Complain(path, result.Reason.empty() ? "failed" : result.Reason);
    }
    return result.Ok;
}

bool CCliSession::LoadPulse(const std::string& path) {
    if (CVcdWriter::IsVcdPath(path)) {
        std::vector<std::string> warnings;
        const FileResult result = CVcdReader::Read(Document, Records, Window, path, VcdPeriod, warnings);
        for (const std::string& warning : warnings) {
            std::fprintf(stderr, "nivara-cli: warning: %s\n", warning.c_str());
        }
        if (!result) {
            // The reader's reason already names the file and the line.
            std::fprintf(stderr, "nivara-cli: %s\n", result.Reason.c_str());
        }
        return result.Ok;
    }
    return Report(path, ReadPulseFile(Document, Records, Window, path));
}

bool CCliSession::LoadCondition(const std::string& path) {
    return Report(path, ReadConditionFile(Document, Window, path));
}

bool CCliSession::SavePulse(const std::string& path) {
    if (CVcdWriter::IsVcdPath(path)) {
        return Report(path, CVcdWriter::Write(Document, Records, path, CVcdWriter::LocalDate()));
    }
    return Report(path, WritePulseFile(Document, Records, Window, path));
}
