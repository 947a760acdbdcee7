#include "files/CCsvFileRW.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "files/CConditionFields.h"
#include "files/CNumberText.h"
#include "files/FileFormat.h"

namespace {

constexpr std::size_t FullLineBytes = CCsvFileRW::WordsPerLine * 9 + 1;  // 8 digits and "," or CR, LF
constexpr std::size_t LinesPerReserve = CBufferedFile::BufferBytes / FullLineBytes / 2;

bool IsKeyword(std::string_view text) {
    return text == CCsvFileRW::BookmarkKeyword || text == CCsvFileRW::CurrentKeyword ||
           text == CCsvFileRW::MemoKeyword || text == CCsvFileRW::DataKeyword;
}

std::string RowProblem(const std::string& text, const char* what) {
    if (text.size() > MaxTextBytes) {
        return std::string(what) + " \"" + text.substr(0, 40) + "...\" is longer than 255 bytes";
    }
    if (text.find_first_of(",\r\n") != std::string::npos) {
        return std::string(what) + " \"" + text + "\" holds a comma or a line break, which a .csv file cannot store";
    }
    if (IsKeyword(text)) {
        return std::string(what) + " \"" + text + "\" equals a section keyword of a .csv file";
    }
    return {};
}

// Formats `lines` full lines of ten words.
char* FormatFullLines(char* out, const uint32_t* words, std::size_t lines) {
    for (std::size_t line = 0; line < lines; ++line) {
        for (std::size_t j = 0; j < CCsvFileRW::WordsPerLine; ++j) {
            CNumberText::Hex8(out, words[j]);
            out[8] = ',';
            out += 9;
        }
        out[-1] = '\r';
        *out++ = '\n';
        words += CCsvFileRW::WordsPerLine;
    }
    return out;
}

// Assigns cell `index` of a channel row; false with the reason for a name
// over 255 bytes or a number outside its field.
bool AssignChannelCell(LOGIC_DATA& row, std::size_t index, std::string_view cell, std::string& problem) {
    switch (index) {
        case 0:
            if (cell.size() > MaxTextBytes) {
                problem = "a channel name is longer than 255 bytes";
                return false;
            }
            row.ChannelName.assign(cell);
            return true;
        case 1: return CConditionFields::DecimalField("DeviceChannel", cell, row.DeviceChannel, problem);
        case 2: return CConditionFields::DecimalField("IsEnable", cell, row.IsEnable, problem);
        case 3: return CConditionFields::DecimalField("IsBus", cell, row.IsBus, problem);
        case 4: return CConditionFields::UnsignedField("BusChannel", cell, row.BusChannel, problem);
        default: return true;
    }
}

// Assigns cell `index` of a bookmark row; false with the reason for a memo
// over 255 bytes or a number outside its field.
bool AssignBookmarkCell(BOOKMARK_DATA& mark, std::size_t index, std::string_view cell, std::string& problem) {
    switch (index) {
        case 0: {
            // Written as "%d"; a hand-made file may give it in hexadecimal.
            if (CNumberText::UnsignedAutoFits(cell, mark.BookmarkAbsolutePosition) &&
                CNumberText::Decimal(cell) >= INT32_MIN) {
                return true;
            }
            problem = "the BookmarkAbsolutePosition value \"" + std::string(cell.substr(0, 40)) +
                      "\" is outside its range";
            return false;
        }
        case 1: return CConditionFields::DecimalField("IsCurrentBookmark", cell, mark.IsCurrentBookmark, problem);
        case 2:
            if (cell.size() > MaxTextBytes) {
                problem = "a bookmark memo is longer than 255 bytes";
                return false;
            }
            mark.BookmarkMemo.assign(cell);
            return true;
        default: return true;
    }
}

}  // namespace

// ---------------------------------------------------------------- writing

std::string CCsvFileRW::TextProblem(const LOGIC_CONDITION& condition, const CChannelTable& table,
                                    const CBookmarkList& bookmarks) {
    if (condition.Group(condition.Direction) == nullptr) {
        return "the direction is neither sampling nor generating";
    }
    std::string problem = CConditionFields::TextProblem(condition, ",\r\n");
    for (const LOGIC_DATA& row : table) {
        if (problem.empty()) {
            problem = RowProblem(row.ChannelName, "the channel name");
        }
    }
    for (const BOOKMARK_DATA& mark : bookmarks) {
        if (problem.empty()) {
            problem = RowProblem(mark.BookmarkMemo, "the bookmark memo");
        }
    }
    return problem;
}

std::string CCsvFileRW::HeaderText(const LOGIC_CONDITION& condition, uint32_t size, const CChannelTable& table,
                                   const CBookmarkList& bookmarks) {
    std::string keys;
    std::string values;
    bool first = true;
    for (const auto& [key, value] : CConditionFields::Fields(condition, size, CConditionFields::Kind::Pulse)) {
        if (!first) {
            keys += ',';
            values += ',';
        }
        first = false;
        keys += key;
        values += value;
    }
    std::string text = std::string(FileMagic) + "\r\n" + keys + "\r\n" + values + "\r\n";
    text += "ChannelName,DeviceChannel,IsEnable,IsBus,BusChannel\r\n";
    for (const LOGIC_DATA& row : table) {
        text += row.ChannelName + "," + std::to_string(row.DeviceChannel) + "," + std::to_string(row.IsEnable) +
                "," + std::to_string(row.IsBus) + "," + CConditionFields::HexText(row.BusChannel) + "\r\n";
    }
    text += "BookmarkAbsolutePosition,IsCurrentBookmark,BookmarkMemo\r\n";
    for (const BOOKMARK_DATA& mark : bookmarks) {
        text += std::to_string(static_cast<int32_t>(mark.BookmarkAbsolutePosition)) + "," +
                std::to_string(static_cast<int32_t>(mark.IsCurrentBookmark)) + "," + mark.BookmarkMemo + "\r\n";
    }
    text += "Data\r\n";
    return text;
}

FileResult CCsvFileRW::CreateFailed() const { return FileResult::SaveFailed(m_file.Error()); }

FileResult CCsvFileRW::WriteFailed() {
    const std::string reason = m_file.Error();
    if (m_direct && m_headerWritten && m_file.IsOpen()) {
        KeepWhatReachedTheDisk();
    }
    m_file.Abandon();
    return FileResult::SaveFailed(reason);
}

// A file written directly keeps its whole lines that reached the disk: a
// word cut in the middle would read back as a different word. The lines of
// one AppendWords call are full lines but its last.
void CCsvFileRW::KeepWhatReachedTheDisk() {
    const uint64_t inFile = m_file.BytesInFile();
    if (inFile >= m_callStart) {
        const uint64_t lines = (inFile - m_callStart) / FullLineBytes;
        (void)m_file.TruncateTo(m_callStart + lines * FullLineBytes);
    }
    (void)m_file.Finish();
}

FileResult CCsvFileRW::Create(const std::string& path, bool replaceOnFinish) {
    m_path = path;
    m_direct = !replaceOnFinish;
    m_headerWritten = false;
    const bool created = replaceOnFinish ? m_file.CreateBeside(path) : m_file.CreateExclusive(path);
    return created ? FileResult::Success() : CreateFailed();
}

FileResult CCsvFileRW::WriteHeader(const LOGIC_CONDITION& condition, uint32_t size, const CChannelTable& table,
                                   const CBookmarkList& bookmarks) {
    const std::string problem = TextProblem(condition, table, bookmarks);
    if (!problem.empty()) {
        m_file.Abandon();
        return FileResult::SaveFailed(problem);
    }
    if (!m_file.Write(HeaderText(condition, size, table, bookmarks))) {
        return WriteFailed();
    }
    m_headerWritten = true;
    return FileResult::Success();
}

FileResult CCsvFileRW::AppendWords(const uint32_t* words, std::size_t count) {
    m_callStart = m_file.WrittenBytes();
    std::size_t lines = count / WordsPerLine;
    while (lines > 0) {
        const std::size_t part = std::min(lines, LinesPerReserve);
        char* out = m_file.Reserve(part * FullLineBytes);
        if (out == nullptr) {
            return WriteFailed();
        }
        FormatFullLines(out, words, part);
        m_file.Advance(part * FullLineBytes);
        words += part * WordsPerLine;
        lines -= part;
    }
    const std::size_t rest = count % WordsPerLine;
    if (rest == 0) {
        return FileResult::Success();
    }
    char* out = m_file.Reserve(rest * 9 + 1);
    if (out == nullptr) {
        return WriteFailed();
    }
    for (std::size_t j = 0; j < rest; ++j) {
        CNumberText::Hex8(out + j * 9, words[j]);
        out[j * 9 + 8] = ',';
    }
    out[rest * 9 - 1] = '\r';
    out[rest * 9] = '\n';
    m_file.Advance(rest * 9 + 1);
    return FileResult::Success();
}

FileResult CCsvFileRW::CommitWords() { return m_file.Flush() ? FileResult::Success() : WriteFailed(); }

FileResult CCsvFileRW::Finish() { return m_file.Finish() ? FileResult::Success() : WriteFailed(); }

// ---------------------------------------------------------------- reading

void CCsvFileRW::SplitCells(std::string_view line, std::vector<std::string_view>& cells) {
    cells.clear();
    for (;;) {
        const std::size_t comma = line.find(',');
        cells.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos) {
            return;
        }
        line.remove_prefix(comma + 1);
    }
}

std::size_t CCsvFileRW::ParseDataLine(std::string_view line, uint32_t* words, std::size_t room) {
    const char* p = line.data();
    const char* const end = p + line.size();
    std::size_t stored = 0;
    while (stored < room) {
        if (end - p >= 8) {
            const uint8_t* table = CNumberText::HexTable.data();
            const auto* u = reinterpret_cast<const unsigned char*>(p);
            const uint32_t d0 = table[u[0]], d1 = table[u[1]], d2 = table[u[2]], d3 = table[u[3]];
            const uint32_t d4 = table[u[4]], d5 = table[u[5]], d6 = table[u[6]], d7 = table[u[7]];
            const bool digits = ((d0 | d1 | d2 | d3 | d4 | d5 | d6 | d7) & 0xF0) == 0;
            if (digits && (end - p == 8 || p[8] == ',')) {
                words[stored++] = d0 << 28 | d1 << 24 | d2 << 20 | d3 << 16 | d4 << 12 | d5 << 8 | d6 << 4 | d7;
                p += 8;
                if (p == end) {
                    return stored;
                }
                ++p;
                continue;
            }
        }
        const char* comma = static_cast<const char*>(std::memchr(p, ',', static_cast<std::size_t>(end - p)));
        const char* cellEnd = comma != nullptr ? comma : end;
        words[stored++] = CNumberText::Hex(std::string_view(p, static_cast<std::size_t>(cellEnd - p)));
        if (comma == nullptr) {
            return stored;
        }
        p = comma + 1;
    }
    return stored;
}

FileResult CCsvFileRW::OpenRead(const std::string& path) {
    m_path = path;
    m_dataRest.clear();
    m_hasDataRest = false;
    return m_file.OpenRead(path) ? FileResult::Success() : FileResult::ReadRefused(m_file.Error());
}

FileResult CCsvFileRW::ReadHeader(const CLogicDocument& document, PULSE_CONTENT& content) {
    const auto endsEarly = [this](const char* where) {
        return FileResult::ReadRefused(!m_file.Error().empty() ? m_file.Error()
                                                                : std::string("the file ends ") + where);
    };
    std::string_view line;
    std::vector<std::string_view> cells;
    if (!m_file.ReadLine(line) || line.empty()) {
        return endsEarly("before its first line (empty file)");
    }
    SplitCells(line, cells);
    for (std::string_view cell : cells) {
        if (cell != FileMagic) {
            return FileResult::ReadRefused("not a pulse text file: the first line is not \"" +
                                           std::string(FileMagic) + "\"");
        }
    }
    if (!m_file.ReadLine(line) || line.empty()) {
        return endsEarly("before its key line");
    }
    SplitCells(line, cells);
    const std::vector<std::string> keys(cells.begin(), cells.end());
    if (!m_file.ReadLine(line) || line.empty()) {
        return endsEarly("before its value line");
    }
    SplitCells(line, cells);
    KEY_VALUES values;
    for (std::size_t i = 0; i < std::min(keys.size(), cells.size()); ++i) {
        values[keys[i]] = std::string(cells[i]);
    }
    if (const auto version = values.find("Version"); version != values.end()) {
        content.Version = version->second;
    }
    FileResult staged = CConditionFields::Stage(document, values, CConditionFields::Kind::Pulse, content.Staged);
    if (!staged) {
        return staged;
    }
    if (!m_file.ReadLine(line) || line.empty()) {
        return endsEarly("before its channel header");
    }
    return ReadRows(content);
}

FileResult CCsvFileRW::ReadRows(PULSE_CONTENT& content) {
    enum class Section { Channels, Bookmarks };
    Section section = Section::Channels;
    // Missing trailing cells keep the values of the previous row of a section.
    LOGIC_DATA row;
    row.IsShown = 1;
    BOOKMARK_DATA mark;
    bool rowCells = false;
    const auto appendRow = [&] {
        if (rowCells) {
            if (section == Section::Channels) {
                content.Table.Append(row);
            } else {
                content.Bookmarks.Append(mark);
            }
        }
        rowCells = false;
    };
    std::string_view line;
    std::vector<std::string_view> cells;
    while (m_file.ReadLine(line) && !line.empty()) {
        SplitCells(line, cells);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string_view cell = cells[i];
            if (cell == BookmarkKeyword) {
                appendRow();
                section = Section::Bookmarks;
                content.HasBookmarks = true;
                content.Bookmarks.RemoveAll();
                continue;
            }
            if (cell == CurrentKeyword || cell == MemoKeyword) {
                continue;
            }
            if (cell == DataKeyword) {
                appendRow();
                if (i + 1 < cells.size()) {
                    const std::size_t restStart = static_cast<std::size_t>(cells[i + 1].data() - line.data());
                    m_dataRest.assign(line.substr(restStart));
                    m_hasDataRest = true;
                }
                return FileResult::Success();
            }
            rowCells = true;
            std::string problem;
            const bool fits = section == Section::Channels ? AssignChannelCell(row, i, cell, problem)
                                                           : AssignBookmarkCell(mark, i, cell, problem);
            if (!fits) {
                return FileResult::ReadRefused(problem);
            }
        }
        appendRow();
    }
    return FileResult::ReadRefused(!m_file.Error().empty() ? m_file.Error()
                                                            : "the file ends before its \"Data\" line");
}

FileResult CCsvFileRW::SkipToData() {
    std::string_view line;
    std::vector<std::string_view> cells;
    if (!m_file.ReadLine(line) || line.empty()) {
        return FileResult::ReadRefused(!m_file.Error().empty() ? m_file.Error() : "the file is empty");
    }
    SplitCells(line, cells);
    if (std::any_of(cells.begin(), cells.end(), [](std::string_view cell) { return cell != FileMagic; })) {
        return FileResult::ReadRefused("not a pulse text file: the first line is not \"" +
                                       std::string(FileMagic) + "\"");
    }
    while (m_file.ReadLine(line) && !line.empty()) {
        SplitCells(line, cells);
        if (std::find(cells.begin(), cells.end(), DataKeyword) != cells.end()) {
            return FileResult::Success();
        }
    }
    return FileResult::ReadRefused(!m_file.Error().empty() ? m_file.Error()
                                                            : "the file has no \"Data\" line");
}

FileResult CCsvFileRW::ReadWords(uint32_t* words, uint32_t capacity, uint32_t& stored) {
    std::size_t count = 0;
    if (m_hasDataRest) {
        count = ParseDataLine(m_dataRest, words, capacity);
        m_hasDataRest = false;
    }
    std::string_view line;
    while (count < capacity && m_file.ReadLine(line) && !line.empty()) {
        count += ParseDataLine(line, words + count, capacity - count);
    }
    stored = static_cast<uint32_t>(count);
    if (!m_file.Error().empty()) {
        return FileResult::ReadRefused(m_file.Error());
    }
    return FileResult::Success();
}

FileResult CCsvFileRW::CountWords(uint32_t capacity, uint32_t& counted) {
    const auto cellsOf = [](std::string_view line) {
        return static_cast<uint64_t>(std::count(line.begin(), line.end(), ',')) + 1;
    };
    uint64_t count = m_hasDataRest ? cellsOf(m_dataRest) : 0;
    m_hasDataRest = false;
    std::string_view line;
    while (count < capacity && m_file.ReadLine(line) && !line.empty()) {
        count += cellsOf(line);
    }
    counted = static_cast<uint32_t>(std::min<uint64_t>(count, capacity));
    if (!m_file.Error().empty()) {
        return FileResult::ReadRefused(m_file.Error());
    }
    return FileResult::Success();
}
