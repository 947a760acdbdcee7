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

bool CBlockFiles::Open(std::string& error) {
    std::string unused;
    (void)Close(unused);
    const LOGIC_CONDITION& condition = m_document.Condition();
    m_fileName = NextFileName(NowStamp());
    const std::string path = (std::filesystem::path(condition.AutoSavePath) / m_fileName).string();
    const uint32_t size = m_document.SamplingMemory().Length();
    FileResult result;
    if (condition.AutoSaveFileType == 1) {
        m_binary = std::make_unique<CVpbFileRW>();
        result = m_binary->Create(path, false);
        if (result) {
            result = m_binary->WriteHeader(condition, size, m_records.SamplingTable, m_records.SamplingBookmarks, 0);
        }
    } else {
        m_text = std::make_unique<CCsvFileRW>();
        result = m_text->Create(path, false);
        if (result) {
            result = m_text->WriteHeader(condition, size, m_records.SamplingTable, m_records.SamplingBookmarks);
        }
    }
    if (!result) {
        m_text.reset();
        m_binary.reset();
        error = result.Reason;
        return false;
    }
    m_document.AutoSavedFiles.push_back(path);
    return true;
}

bool CBlockFiles::Write(const uint32_t* words, uint32_t count, std::string& error) {
    FileResult result;
    if (m_text) {
        result = m_text->AppendWords(words, count);
    } else if (m_binary) {
        result = m_binary->AppendWords(words, count);
    }
    if (!result) {
        m_text.reset();
        m_binary.reset();
        error = result.Reason;
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
        error = result.Reason;
    }
    return result.Ok;
}
