#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CHeadlessFileWindow.h"

// A fresh folder per test, a document with the records of one window, and
// the helpers the file tests share.
class FilesTest : public ::testing::Test {
protected:
    FilesTest();
    ~FilesTest() override;

    [[nodiscard]] std::string Path(const std::string& name) const { return (m_folder / name).string(); }
    [[nodiscard]] std::vector<std::string> FolderEntries() const;

    static std::string ReadBytes(const std::string& path);
    static void WriteBytes(const std::string& path, const std::string& bytes);

    // A document with buses, bookmarks (one with an empty memo), start
    // trigger 4, the monitor block and patterned data in `direction`.
    void MakeRich(int direction);

    CLogicDocument Document{"/home/user/Documents/Nivara"};
    CWindowRecords Records{"Signal"};
    CHeadlessFileWindow Window;

private:
    std::filesystem::path m_folder;
};

// Everything a read may change, for "untouched" checks.
struct DOCUMENT_STATE {
    LOGIC_CONDITION Condition;
    std::vector<uint32_t> Sampling;
    std::vector<uint32_t> Generating;
    uint32_t LastCount = 0;
    CChannelTable SamplingTable;
    CChannelTable GeneratingTable;
    CBookmarkList SamplingBookmarks;
    CBookmarkList GeneratingBookmarks;

    bool operator==(const DOCUMENT_STATE&) const = default;
};

[[nodiscard]] DOCUMENT_STATE StateOf(const CLogicDocument& document, const CWindowRecords& records);
