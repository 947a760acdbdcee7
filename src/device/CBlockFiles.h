#pragma once
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

class CLogicDocument;
class CWindowRecords;
class CCsvFileRW;
class CVpbFileRW;

// The block files of an auto-saved sampling run, written on the window
// thread: each a pulse text or binary file of the sampling document, byte for
// byte like a saved one, its data appended in pieces. A block file is always
// a new file: a name another run (in this or another process) has taken gets
// "_1", "_2", ... Every piece is handed to the disk as it is written, and a
// binary block's word count is patched in place after it, so a block reads
// back every written word even when the process dies before the close.
class CBlockFiles {
public:
    CBlockFiles(CLogicDocument& document, CWindowRecords& records);
    ~CBlockFiles();
    CBlockFiles(const CBlockFiles&) = delete;
    CBlockFiles& operator=(const CBlockFiles&) = delete;

    // Creates the next file, writes its head and adds its path to
    // AutoSavedFiles. False with the reason, naming the file, in `error`.
    [[nodiscard]] bool Open(std::string& error);
    // Open with the time stamp given.
    [[nodiscard]] bool OpenStamped(const std::string& stamp, std::string& error);
    // Appends words to the open file; nothing happens while no file is open.
    // A failed write closes the file, which keeps the words that reached the
    // disk; the reason names the file.
    [[nodiscard]] bool Write(const uint32_t* words, uint32_t count, std::string& error);
    // Closes the open file (a binary file gets its word count).
    [[nodiscard]] bool Close(std::string& error);
    [[nodiscard]] bool IsOpen() const { return m_text != nullptr || m_binary != nullptr; }
    // "<AutoSaveFileName>_<time stamp><ext>" of the file opened last.
    [[nodiscard]] const std::string& FileName() const { return m_fileName; }

    // "%04d%02d%02d_%02d%02d%02d%03d" of a local time and its milliseconds.
    [[nodiscard]] static std::string TimeStamp(const std::tm& local, int milliseconds);
    // The file name for a time stamp; a stamp equal to the previous one gets
    // "_1", "_2", ... so that two files of one millisecond never share a name.
    [[nodiscard]] std::string NextFileName(const std::string& stamp);

private:
    [[nodiscard]] static std::string NowStamp();
    [[nodiscard]] bool Create(const std::string& path, bool& exists, std::string& error);

    CLogicDocument& m_document;
    CWindowRecords& m_records;
    std::unique_ptr<CCsvFileRW> m_text;
    std::unique_ptr<CVpbFileRW> m_binary;
    std::string m_fileName;
    std::string m_path;
    std::string m_lastStamp;
    int m_sameStamp = 0;
};
