#include "device/CBlockFiles.h"

#include <chrono>
#include <filesystem>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CCsvFileRW.h"
#include "files/CVpbFileRW.h"
#include "resources/CStringTable.h"

CBlockFiles::CBlockFiles(CLogicDocument& document, CWindowRecords& records)
    : m_document(document), m_records(records) {}

CBlockFiles::~CBlockFiles() = default;

std::string CBlockFiles::TimeStamp(const std::tm& local, int milliseconds) {
    return CStringTable::FormatPrintf("%04d%02d%02d_%02d%02d%02d%03d", local.tm_year + 1900, local.tm_mon + 1,
                                      local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, milliseconds);
}

std::string CBlockFiles::NowStamp() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return TimeStamp(local, static_cast<int>(ms));
}

std::string CBlockFiles::NextFileName(const std::string& stamp) {
    const LOGIC_CONDITION& condition = m_document.Condition();
    std::string name = condition.AutoSaveFileName + "_" + stamp;
    if (stamp == m_lastStamp) {
        name += "_" + std::to_string(++m_sameStamp);
    } else {
        m_lastStamp = stamp;
        m_sameStamp = 0;
    }
    return name + (condition.AutoSaveFileType == 1 ? ".vpb" : ".csv");
}

bool CBlockFiles::Open(std::string& error) { return OpenStamped(NowStamp(), error); }

bool CBlockFiles::OpenStamped(const std::string& stamp, std::string& error) {
    std::string unused;
    (void)Close(unused);
    const LOGIC_CONDITION& condition = m_document.Condition();
    // Creation is exclusive: a name already on disk is never replaced.
    constexpr int MaxAttempts = 10000;
    bool exists = true;
    for (int attempt = 0; attempt < MaxAttempts && exists; ++attempt) {
        m_fileName = NextFileName(stamp);
        m_path = (std::filesystem::path(condition.AutoSavePath) / m_fileName).string();
        if (!Create(m_path, exists, error)) {
            if (!exists) {
                return false;
            }
        }
    }
    if (exists) {
        error = m_path + ": " + error;
        return false;
    }
    m_document.AutoSavedFiles.push_back(m_path);
    return true;
}

// Creates the file and writes its head to the disk. A file whose head could
// not be written holds no word and is removed again.
bool CBlockFiles::Create(const std::string& path, bool& exists, std::string& error) {
    const LOGIC_CONDITION& condition = m_document.Condition();
    const uint32_t size = m_document.SamplingMemory().Length();
    const CChannelTable& table = m_records.SamplingTable;
    const CBookmarkList& bookmarks = m_records.SamplingBookmarks;
    FileResult result;
    bool created = false;
    if (condition.AutoSaveFileType == 1) {
        m_binary = std::make_unique<CVpbFileRW>();
        result = m_binary->Create(path, false);
        exists = !result && m_binary->TargetExists();
        created = result.Ok;
        if (result) {
            result = m_binary->WriteHeader(condition, size, table, bookmarks, 0);
        }
        if (result) {
            result = m_binary->CommitWords();
        }
    } else {
        m_text = std::make_unique<CCsvFileRW>();
        result = m_text->Create(path, false);
        exists = !result && m_text->TargetExists();
        created = result.Ok;
        if (result) {
            result = m_text->WriteHeader(condition, size, table, bookmarks);
        }
        if (result) {
            result = m_text->CommitWords();
        }
    }
    if (result) {
        return true;
    }
    m_text.reset();
    m_binary.reset();
    if (created) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    error = exists ? result.Reason : path + ": " + result.Reason;
    return false;
}

bool CBlockFiles::Write(const uint32_t* words, uint32_t count, std::string& error) {
    FileResult result;
    if (m_text) {
        result = m_text->AppendWords(words, count);
        if (result) {
            result = m_text->CommitWords();
        }
    } else if (m_binary) {
        result = m_binary->AppendWords(words, count);
        if (result) {
            result = m_binary->CommitWords();
        }
    }
    if (!result) {
        m_text.reset();
        m_binary.reset();
        error = m_path + ": " + result.Reason;
    }
    return result.Ok;
}

bool CBlockFiles::Close(std::string& error) {
    FileResult result;
    if (m_text) {
        result = m_text->Finish();
    } else if (m_binary) {
        result = m_binary->Finish();
    }
    m_text.reset();
    m_binary.reset();
    if (!result) {
        error = m_path + ": " + result.Reason;
    }
    return result.Ok;
}
