#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// A plain file with one large buffer, read or written in big chunks.
//
// Reading: OpenRead, then ReadLine and ReadExact in any mix; large
// ReadExact calls go straight from the file into the caller's memory.
// Only regular files are read: a folder, a FIFO or a device is refused
// before it is opened. A text line is at most MaxLineBytes long; a longer
// one fails the read (with its line number) instead of growing the buffer.
//
// Writing: CreateBeside writes a temporary file next to the target and Finish
// renames it over the target only after every byte was written and the file
// closed; a write that fails (or is never finished) removes the temporary
// file and leaves the previous file as it was. A target that is a symbolic
// link is written through the link (the link stays, the file it names gets
// the new content), the target's permission bits are kept, and a target that
// is not a regular file is refused. The temporary name is short and of fixed
// length, so any valid target name works. CreateExclusive creates a new file
// that must not exist yet and writes it directly (for files others may watch
// while they grow).
class CBufferedFile {
public:
    static constexpr std::size_t BufferBytes = std::size_t{1} << 20;
    static constexpr std::size_t MinReadBufferBytes = std::size_t{64} << 10;
    static constexpr std::size_t MaxLineBytes = std::size_t{64} << 10;

    CBufferedFile() = default;
    ~CBufferedFile();
    CBufferedFile(const CBufferedFile&) = delete;
    CBufferedFile& operator=(const CBufferedFile&) = delete;

    // --- reading
    [[nodiscard]] bool OpenRead(const std::string& path);
    [[nodiscard]] uint64_t FileSize() const { return m_fileSize; }
    // Bytes consumed by the reads so far.
    [[nodiscard]] uint64_t Position() const;
    [[nodiscard]] uint64_t BytesLeft() const { return m_fileSize - Position(); }
    // The next line without its LF (and a CR before it). False at the end of
    // the file or on an error. The view stays valid until the next read.
    [[nodiscard]] bool ReadLine(std::string_view& line);
    // Exactly n bytes; false when the file ends first or on an error.
    [[nodiscard]] bool ReadExact(void* destination, std::size_t n);

    // --- writing
    [[nodiscard]] bool CreateBeside(const std::string& path);
    // False when the file exists (then Exists() is true) or cannot be created.
    [[nodiscard]] bool CreateExclusive(const std::string& path);
    // The last create failed because the file already exists.
    [[nodiscard]] bool Exists() const { return m_exists; }
    [[nodiscard]] bool Write(const void* data, std::size_t n);
    [[nodiscard]] bool Write(std::string_view text) { return Write(text.data(), text.size()); }
    // Room for at least n bytes (n <= BufferBytes) at the end of the buffer;
    // Advance(k) then takes the k bytes written there.
    [[nodiscard]] char* Reserve(std::size_t n);
    void Advance(std::size_t n) { m_end += n; }
    // Overwrites bytes already written at an offset of the file.
    [[nodiscard]] bool PatchAt(uint64_t offset, const void* data, std::size_t n);
    [[nodiscard]] uint64_t WrittenBytes() const { return m_written + m_end; }
    // Bytes that reached the file (the rest waits in the buffer).
    [[nodiscard]] uint64_t BytesInFile() const { return m_written; }
    // Hands the buffered bytes to the file.
    [[nodiscard]] bool Flush();
    // Cuts the file to its first `size` bytes (which must have reached the
    // file) and drops what the buffer still holds.
    [[nodiscard]] bool TruncateTo(uint64_t size);
    // Flushes, closes and (for CreateBeside) renames over the target.
    [[nodiscard]] bool Finish();
    // Closes; a temporary file is removed.
    void Abandon();
    // The path the content goes to: the target of CreateBeside with its
    // symbolic links followed.
    [[nodiscard]] const std::string& TargetPath() const { return m_target; }

    // Removes every temporary file of the process that is not finished yet.
    // Async-signal-safe: a signal handler calls it before the process ends.
    static void RemoveTemporaries() noexcept;
    // Follows the symbolic links of a path to the file they finally name
    // (which need not exist yet); false for a loop or an unreadable link.
    [[nodiscard]] static bool FollowLinks(const std::string& path, std::string& target, std::string& error);

    [[nodiscard]] bool IsOpen() const { return m_fd >= 0; }
    // The reason of the last failure ("No such file or directory", ...).
    [[nodiscard]] const std::string& Error() const { return m_error; }

    // Called while reading, each time another `step` bytes have come from the
    // file, with the bytes read so far and the file size; long loads show
    // their progress with it. Reads then go in pieces of `step` bytes.
    using Progress = std::function<void(uint64_t done, uint64_t total)>;
    static constexpr std::size_t DefaultProgressStep = std::size_t{16} << 20;
    void SetProgress(Progress progress, std::size_t step = DefaultProgressStep) {
        m_progress = std::move(progress);
        m_progressStep = step > 0 ? step : DefaultProgressStep;
    }

private:
    void ReportRead(std::size_t got);
    [[nodiscard]] bool Fail(const char* what);
    [[nodiscard]] bool Fill();
    [[nodiscard]] bool LineTooLong();
    [[nodiscard]] bool WriteAll(const char* data, std::size_t n);
    [[nodiscard]] bool ReadSome(char* data, std::size_t n, std::size_t& got);
    void Allocate(std::size_t bytes);
    void Close();
    void StartWriting();
    void ForgetTemporary();

    int m_fd = -1;
    bool m_writing = false;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity = 0;
    std::size_t m_begin = 0;  // reading: first unread byte
    std::size_t m_end = 0;    // reading: end of the read bytes; writing: end of the pending bytes
    uint64_t m_fileSize = 0;
    uint64_t m_consumedBeforeBuffer = 0;  // reading: file offset of buffer byte 0
    uint64_t m_written = 0;               // writing: bytes already in the file
    bool m_endOfFile = false;
    bool m_exists = false;
    uint64_t m_lineNumber = 0;  // reading: lines returned so far
    int m_temporarySlot = -1;
    std::string m_target;
    std::string m_temporary;
    std::string m_error;
    Progress m_progress;
    std::size_t m_progressStep = DefaultProgressStep;
    uint64_t m_bytesRead = 0;
    uint64_t m_lastReported = 0;
};
