#include "files/CVpbFileRW.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "document/CLogicDocument.h"
#include "files/CConditionFields.h"
#include "files/FileFormat.h"

namespace {

constexpr uint64_t MinRowBytes = 2 + 2 + 4 + 4 + 4;   // empty name, channel, three flags
constexpr uint64_t MinBookmarkBytes = 4 + 4 + 2;      // position, flag, empty memo
constexpr std::size_t SwapChunkWords = 1 << 16;

uint32_t ToLittle(uint32_t value) {
    if constexpr (std::endian::native == std::endian::little) {
        return value;
    } else {
        return __builtin_bswap32(value);
    }
}

// A count the file announces must fit in the bytes it has left, before
// anything is allocated for it.
FileResult CheckAnnounced(uint64_t count, uint64_t bytesEach, uint64_t bytesLeft, const char* what) {
    if (count * bytesEach > bytesLeft) {
        return FileResult::ReadRefused("the file announces " + std::to_string(count) + " " + what +
                                       " but ends before them");
    }
    return FileResult::Success();
}

// Appends the little-endian fields of the header.
class CFieldWriter {
public:
    void Bytes(const void* data, std::size_t n) { m_bytes.append(static_cast<const char*>(data), n); }
    void I16(int16_t value) {
        const auto v = static_cast<uint16_t>(value);
        const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
        Bytes(b, 2);
    }
    void U32(uint32_t value) {
        const unsigned char b[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
        Bytes(b, 4);
    }
    void Text(const std::string& text) {
        I16(static_cast<int16_t>(text.size()));
        Bytes(text.data(), text.size());
    }
    [[nodiscard]] std::string& Result() { return m_bytes; }

private:
    std::string m_bytes;
};

// Reads little-endian fields; after the first short read every further read
// yields 0 and Ok() stays false.
class CFieldReader {
public:
    explicit CFieldReader(CBufferedFile& file) : m_file(file) {}

    [[nodiscard]] int16_t I16() {
        unsigned char b[2] = {};
        Read(b, 2);
        return static_cast<int16_t>(static_cast<uint16_t>(b[0] | b[1] << 8));
    }
    [[nodiscard]] uint32_t U32() {
        unsigned char b[4] = {};
        Read(b, 4);
        return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
               static_cast<uint32_t>(b[3]) << 24;
    }
    // A text of at most 255 bytes; a longer one fails the read.
    void Text(std::string& text) {
        const auto length = static_cast<uint16_t>(I16());
        if (!m_ok) {
            return;
        }
        if (length > MaxTextBytes) {
            m_tooLong = true;
            m_ok = false;
            return;
        }
        char buffer[MaxTextBytes + 1];
        Read(buffer, length);
        if (m_ok) {
            text.assign(buffer, length);
        }
    }
    void Read(void* data, std::size_t n) {
        if (m_ok && !m_file.ReadExact(data, n)) {
            m_ok = false;
        }
    }
    [[nodiscard]] bool Ok() const { return m_ok; }

    // The refusal after a failed read.
    [[nodiscard]] FileResult Refusal(const char* where) const {
        if (m_tooLong) {
            return FileResult::ReadRefused(std::string("a text ") + where + " is longer than 255 bytes");
        }
        if (!m_file.Error().empty()) {
            return FileResult::ReadRefused(m_file.Error());
        }
        return FileResult::ReadRefused(std::string("the file ends ") + where);
    }

private:
    CBufferedFile& m_file;
    bool m_ok = true;
    bool m_tooLong = false;
};

}  // namespace

// ---------------------------------------------------------------- writing

std::string CVpbFileRW::TextProblem(const LOGIC_CONDITION& condition, const CChannelTable& table,
                                    const CBookmarkList& bookmarks) {
    if (condition.Group(condition.Direction) == nullptr) {
        return "the direction is neither sampling nor generating";
    }
    if (condition.DeviceDesc.size() > MaxTextBytes || condition.DeviceName.size() > MaxTextBytes) {
        return "a device text is longer than 255 bytes";
    }
    if (condition.Direction == DIRECTION_SAMPLING &&
        (condition.AutoSavePath.size() > MaxTextBytes || condition.AutoSaveFileName.size() > MaxTextBytes)) {
        return "the auto-save path or file name is longer than 255 bytes";
    }
    for (const LOGIC_DATA& row : table) {
        if (row.ChannelName.size() > MaxTextBytes) {
            return "a channel name is longer than 255 bytes";
        }
    }
    for (const BOOKMARK_DATA& mark : bookmarks) {
        if (mark.BookmarkMemo.size() > MaxTextBytes) {
            return "a bookmark memo is longer than 255 bytes";
        }
    }
    return {};
}

std::string CVpbFileRW::HeaderBytes(const LOGIC_CONDITION& condition, uint32_t size, const CChannelTable& table,
                                    const CBookmarkList& bookmarks, uint32_t wordCount) {
    const int direction = condition.Direction;
    const DIRECTION_GROUP& group = *condition.Group(direction);
    CFieldWriter out;
    out.Bytes(FileMagic, FileMagicLength);
    out.Text(FileVersionText);
    out.Text(condition.DeviceDesc);
    out.Text(condition.DeviceName);
    out.I16(condition.Direction);
    out.I16(group.MaxChannels);
    out.I16(group.ClockType);
    out.U32(group.Clock);
    out.I16(group.ClockUnit);
    out.I16(group.StartTrigger);
    if (direction == DIRECTION_SAMPLING && group.StartTrigger == 4) {
        out.U32(condition.StartPattern);
        out.U32(condition.PatternMask);
    }
    out.I16(group.StopTrigger);
    out.U32(size);
    out.U32(group.RepeatCount);
    out.U32(group.StartPosition);
    out.U32(group.StopPosition);
    out.U32(static_cast<uint32_t>(condition.ReadOnly));
    if (direction == DIRECTION_SAMPLING) {
        out.I16(condition.MonitorMode);
        out.I16(condition.MonitorMethod);
        out.I16(condition.MonitorPercentage);
        out.I16(condition.MonitorDataBase);
        out.U32(condition.MonitorData);
        out.I16(condition.MonitorDataBitNumbers);
        out.I16(condition.MonitorChannel);
        out.U32(static_cast<uint32_t>(condition.AutoSave));
        out.Text(condition.AutoSavePath);
        out.I16(condition.AutoSaveFileType);
        out.Text(condition.AutoSaveFileName);
    }
    out.U32(static_cast<uint32_t>(table.Size()));
    for (const LOGIC_DATA& row : table) {
        out.Text(row.ChannelName);
        out.I16(row.DeviceChannel);
        out.U32(static_cast<uint32_t>(row.IsEnable));
        out.U32(static_cast<uint32_t>(row.IsBus));
        out.U32(row.BusChannel);
    }
    out.U32(static_cast<uint32_t>(bookmarks.Size()));
    for (const BOOKMARK_DATA& mark : bookmarks) {
        out.U32(mark.BookmarkAbsolutePosition);
        out.U32(mark.IsCurrentBookmark);
        out.Text(mark.BookmarkMemo);
    }
    out.U32(wordCount);
    return std::move(out.Result());
}

bool CVpbFileRW::HasBookmarks(const std::string& version) { return version.compare(BookmarkVersion) >= 0; }

FileResult CVpbFileRW::WriteFailed() {
    const std::string reason = m_file.Error();
    if (m_direct && m_headerWritten && m_file.IsOpen()) {
        KeepWhatReachedTheDisk();
    }
    m_file.Abandon();
    return FileResult::SaveFailed(reason);
}

// A file written directly keeps the whole words that reached the disk, and
// its word count says how many.
void CVpbFileRW::KeepWhatReachedTheDisk() {
    const uint64_t inFile = m_file.BytesInFile();
    const uint64_t words = inFile > m_dataOffset ? (inFile - m_dataOffset) / sizeof(uint32_t) : 0;
    m_wordsAppended = std::min<uint64_t>(words, m_wordsAppended);
    if (inFile >= m_dataOffset && m_file.TruncateTo(m_dataOffset + m_wordsAppended * sizeof(uint32_t))) {
        (void)PatchWordCount(static_cast<uint32_t>(m_wordsAppended));
    }
    (void)m_file.Finish();
}

bool CVpbFileRW::PatchWordCount(uint32_t words) {
    unsigned char count[4];
    for (int i = 0; i < 4; ++i) {
        count[i] = static_cast<unsigned char>(words >> (8 * i));
    }
    return m_file.PatchAt(m_wordCountOffset, count, 4);
}

FileResult CVpbFileRW::Create(const std::string& path, bool replaceOnFinish) {
    m_wordsAppended = 0;
    m_direct = !replaceOnFinish;
    m_headerWritten = false;
    const bool created = replaceOnFinish ? m_file.CreateBeside(path) : m_file.CreateExclusive(path);
    return created ? FileResult::Success() : FileResult::SaveFailed(m_file.Error());
}

FileResult CVpbFileRW::WriteHeader(const LOGIC_CONDITION& condition, uint32_t size, const CChannelTable& table,
                                   const CBookmarkList& bookmarks, uint32_t wordCount) {
    const std::string problem = TextProblem(condition, table, bookmarks);
    if (!problem.empty()) {
        m_file.Abandon();
        return FileResult::SaveFailed(problem);
    }
    const std::string header = HeaderBytes(condition, size, table, bookmarks, wordCount);
    if (!m_file.Write(header)) {
        return WriteFailed();
    }
    m_wordCountOffset = m_file.WrittenBytes() - 4;
    m_dataOffset = m_file.WrittenBytes();
    m_headerWritten = true;
    return FileResult::Success();
}

FileResult CVpbFileRW::AppendWords(const uint32_t* words, std::size_t count) {
    // Counted first: after a failed write the words that reached the disk
    // are told by the file's length.
    m_wordsAppended += count;
    if constexpr (std::endian::native == std::endian::little) {
        if (!m_file.Write(words, count * sizeof(uint32_t))) {
            return WriteFailed();
        }
    } else {
        std::vector<uint32_t> chunk;
        for (std::size_t done = 0; done < count; done += chunk.size()) {
            chunk.assign(words + done, words + std::min(count, done + SwapChunkWords));
            for (uint32_t& word : chunk) {
                word = ToLittle(word);
            }
            if (!m_file.Write(chunk.data(), chunk.size() * sizeof(uint32_t))) {
                return WriteFailed();
            }
        }
    }
    return FileResult::Success();
}

FileResult CVpbFileRW::CommitWords() {
    if (!m_file.Flush() || !PatchWordCount(static_cast<uint32_t>(m_wordsAppended))) {
        return WriteFailed();
    }
    return FileResult::Success();
}

FileResult CVpbFileRW::Finish() {
    if (!PatchWordCount(static_cast<uint32_t>(m_wordsAppended)) || !m_file.Finish()) {
        return WriteFailed();
    }
    return FileResult::Success();
}

// ---------------------------------------------------------------- reading

FileResult CVpbFileRW::OpenRead(const std::string& path) {
    return m_file.OpenRead(path) ? FileResult::Success() : FileResult::ReadRefused(m_file.Error());
}

FileResult CVpbFileRW::ReadHeader(const CLogicDocument& document, PULSE_CONTENT& content) {
    char magic[FileMagicLength];
    if (!m_file.ReadExact(magic, FileMagicLength)) {
        return FileResult::ReadRefused(m_file.FileSize() == 0 ? "the file is empty"
                                                              : "the file ends inside its first bytes");
    }
    if (std::memcmp(magic, FileMagic, FileMagicLength) != 0) {
        return FileResult::ReadRefused("not a pulse binary file: it does not start with \"" +
                                       std::string(FileMagic) + "\"");
    }
    FileResult result = ReadCondition(document, content);
    if (result) {
        result = ReadRows(content);
    }
    if (result && HasBookmarks(content.Version)) {
        result = ReadBookmarks(content);
    }
    return result;
}

FileResult CVpbFileRW::ReadCondition(const CLogicDocument& document, PULSE_CONTENT& content) {
    CFieldReader in(m_file);
    content.Staged.Condition = document.Condition();
    LOGIC_CONDITION& c = content.Staged.Condition;
    in.Text(content.Version);
    in.Text(c.DeviceDesc);
    in.Text(c.DeviceName);
    c.ModelType = CLogicDocument::ModelTypeOf(c.DeviceDesc, c.ModelType);
    c.Direction = in.I16();
    if (!in.Ok()) {
        return in.Refusal("inside its header");
    }
    DIRECTION_GROUP* group = c.Group(c.Direction);
    if (group == nullptr) {
        return FileResult::ReadRefused("the direction " + std::to_string(c.Direction) +
                                       " is neither sampling (1) nor generating (2)");
    }
    group->MaxChannels = in.I16();
    group->ClockType = in.I16();
    group->Clock = in.U32();
    group->ClockUnit = in.I16();
    group->StartTrigger = in.I16();
    if (c.Direction == DIRECTION_SAMPLING && group->StartTrigger == 4) {
        c.StartPattern = in.U32();
        c.PatternMask = in.U32();
    }
    group->StopTrigger = in.I16();
    content.Staged.Size = in.U32();
    group->RepeatCount = in.U32();
    group->StartPosition = in.U32();
    group->StopPosition = in.U32();
    c.ReadOnly = static_cast<int32_t>(in.U32());
    if (c.Direction == DIRECTION_SAMPLING) {
        c.MonitorMode = in.I16();
        c.MonitorMethod = in.I16();
        c.MonitorPercentage = in.I16();
        c.MonitorDataBase = in.I16();
        c.MonitorData = in.U32();
        c.MonitorDataBitNumbers = in.I16();
        c.MonitorChannel = in.I16();
        c.AutoSave = static_cast<int32_t>(in.U32());
        in.Text(c.AutoSavePath);
        c.AutoSaveFileType = in.I16();
        in.Text(c.AutoSaveFileName);
    }
    if (!in.Ok()) {
        return in.Refusal("inside its header");
    }
    if (const std::string problem = CConditionFields::SizeProblem(content.Staged.Size); !problem.empty()) {
        return FileResult::ReadRefused(problem);
    }
    return FileResult::Success();
}

FileResult CVpbFileRW::ReadRows(PULSE_CONTENT& content) {
    CFieldReader in(m_file);
    const uint32_t count = in.U32();
    if (!in.Ok()) {
        return in.Refusal("before its channel rows");
    }
    if (FileResult announced = CheckAnnounced(count, MinRowBytes, m_file.BytesLeft(), "channel rows"); !announced) {
        return announced;
    }
    std::vector<LOGIC_DATA> rows(count);
    for (LOGIC_DATA& row : rows) {
        in.Text(row.ChannelName);
        row.DeviceChannel = in.I16();
        row.IsEnable = static_cast<int32_t>(in.U32());
        row.IsBus = static_cast<int32_t>(in.U32());
        row.BusChannel = in.U32();
        row.IsShown = 1;
    }
    if (!in.Ok()) {
        return in.Refusal("inside its channel rows");
    }
    content.Table.Assign(std::move(rows));
    return FileResult::Success();
}

FileResult CVpbFileRW::ReadBookmarks(PULSE_CONTENT& content) {
    CFieldReader in(m_file);
    const uint32_t count = in.U32();
    if (!in.Ok()) {
        return in.Refusal("before its bookmarks");
    }
    if (FileResult announced = CheckAnnounced(count, MinBookmarkBytes, m_file.BytesLeft(), "bookmarks"); !announced) {
        return announced;
    }
    std::vector<BOOKMARK_DATA> marks(count);
    for (BOOKMARK_DATA& mark : marks) {
        mark.BookmarkAbsolutePosition = in.U32();
        mark.IsCurrentBookmark = in.U32();
        in.Text(mark.BookmarkMemo);
    }
    if (!in.Ok()) {
        return in.Refusal("inside its bookmarks");
    }
    content.HasBookmarks = true;
    content.Bookmarks.Assign(std::move(marks));
    return FileResult::Success();
}

FileResult CVpbFileRW::ReadWordCount(uint32_t& count) {
    CFieldReader in(m_file);
    count = in.U32();
    if (!in.Ok()) {
        return in.Refusal("before its word count");
    }
    return CheckAnnounced(count, sizeof(uint32_t), m_file.BytesLeft(), "data words");
}

FileResult CVpbFileRW::ReadWords(uint32_t* words, uint32_t n) {
    if (!m_file.ReadExact(words, std::size_t{n} * sizeof(uint32_t))) {
        return FileResult::ReadRefused(!m_file.Error().empty() ? m_file.Error()
                                                                : "the file ends inside its data");
    }
    if constexpr (std::endian::native != std::endian::little) {
        for (uint32_t i = 0; i < n; ++i) {
            words[i] = ToLittle(words[i]);
        }
    }
    return FileResult::Success();
}
