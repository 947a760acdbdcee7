#include "files/CVcdWriter.h"

#include <bit>
#include <cstring>
#include <ctime>
#include <set>
#include <vector>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CBufferedFile.h"
#include "files/CVcdTokens.h"

namespace {
const char* const UnitTexts[] = {"s", "ms", "us", "ns"};

struct WIRE {
    int Channel;
    std::string Code;
};

// Identifier codes: printable characters from '!' on, more than one when needed.
std::string CodeOf(std::size_t index) {
    std::string code;
    do {
        code += static_cast<char>('!' + index % 94);
        index /= 94;
    } while (index > 0);
    return code;
}

std::string UniqueName(const std::string& name, std::set<std::string>& taken) {
    std::string candidate = CVcdWriter::SafeName(name);
    for (int n = 2; !taken.insert(candidate).second; ++n) {
        candidate = CVcdWriter::SafeName(name) + "_" + std::to_string(n);
    }
    return candidate;
}

// The value changes after $dumpvars, straight into the file's buffer. The
// text of every change is made once per channel and level ("1!\n"), so a word
// costs one walk over its changed bits; the timestamp is kept as decimal text
// and moved forward in place instead of being formatted for every word.
class CVcdStream {
public:
    CVcdStream(CBufferedFile& file, const std::vector<WIRE>& wires) : m_file(file) {
        // Every wire of a channel changes with it (two rows may share a channel).
        std::string lines[2][32];
        for (const WIRE& wire : wires) {
            for (int level = 0; level < 2; ++level) {
                lines[level][wire.Channel] += static_cast<char>('0' + level) + wire.Code + "\n";
            }
        }
        m_mostPerWord = sizeof m_stamp;
        for (int level = 0; level < 2; ++level) {
            for (int channel = 0; channel < 32; ++channel) {
                m_at[level][channel] = m_text.size();
                m_length[channel] = static_cast<uint32_t>(lines[level][channel].size());
                // Padded to whole 8-byte pieces: the copy below moves pieces.
                m_text += lines[level][channel];
                m_text.append((8 - m_text.size() % 8) % 8, '\0');
                m_mostPerWord += level == 0 ? (m_length[channel] + 7) / 8 * 8 : 0;
            }
        }
        std::memcpy(m_stamp, "#0\n", 3);
    }

    bool Text(const std::string& text) { return m_file.Write(text); }

    // "#t\n" and then a line for every wire whose bit differs from the word
    // before, for words 1 .. count - 1; then the timestamp of word `count`.
    bool Changes(const uint32_t* words, uint32_t count, uint64_t step, uint32_t wired) {
        uint32_t stamped = 0;  // the word whose time the stamp holds
        for (uint32_t i = 1; i < count;) {
            char* const start = m_file.Reserve(PieceBytes);
            if (start == nullptr) {
                return false;
            }
            char* out = start;
            const char* const limit = start + PieceBytes - m_mostPerWord;
            for (; i < count && out <= limit; ++i) {
                uint32_t changed = (words[i] ^ words[i - 1]) & wired;
                if (changed == 0) {
                    continue;
                }
                Forward(uint64_t{i - stamped} * step);
                stamped = i;
                std::memcpy(out, m_stamp, sizeof m_stamp);
                out += m_stampLength;
                const uint32_t word = words[i];
                do {
                    const int channel = std::countr_zero(changed);
                    changed &= changed - 1;
                    const char* line = m_text.data() + m_at[(word >> channel) & 1U][channel];
                    const uint32_t length = m_length[channel];
                    for (uint32_t piece = 0; piece < length; piece += 8) {
                        std::memcpy(out + piece, line + piece, 8);
                    }
                    out += length;
                } while (changed != 0);
            }
            m_file.Advance(static_cast<std::size_t>(out - start));
        }
        Forward(uint64_t{count - stamped} * step);
        return m_file.Write(m_stamp, m_stampLength);
    }

private:
    static constexpr std::size_t PieceBytes = std::size_t{256} << 10;

    // Adds to the decimal time of the stamp, digit by digit from the right.
    void Forward(uint64_t add) {
        std::size_t at = m_stampLength - 2;  // the last digit
        while (add != 0) {
            if (at == 0) {
                // One digit more: the text moves right behind the '#'.
                std::memmove(m_stamp + 2, m_stamp + 1, m_stampLength - 1);
                m_stamp[1] = '0';
                ++m_stampLength;
                at = 1;
            }
            const uint64_t sum = static_cast<uint64_t>(m_stamp[at] - '0') + add;
            m_stamp[at] = static_cast<char>('0' + sum % 10);
            add = sum / 10;
            --at;
        }
    }

    CBufferedFile& m_file;
    std::string m_text;                    // the change lines, each padded to 8 bytes
    std::size_t m_at[2][32] = {};          // where the line of a level and channel starts
    uint32_t m_length[32] = {};            // its length (the same for both levels)
    std::size_t m_mostPerWord = 0;         // the most bytes one word writes
    char m_stamp[32] = {};                 // "#t\n", with room for the longest time
    std::size_t m_stampLength = 3;
};
}  // namespace

std::string CVcdWriter::LocalDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[64] = "";
    if (::localtime_r(&now, &local) != nullptr) {
        std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    }
    return text;
}

std::string CVcdWriter::SafeName(const std::string& name) {
    std::string safe;
    for (unsigned char c : name) {
        // A bracket would read as a bit select of a vector, and a word that
        // starts with '$' may be taken for a keyword ("$end" ends the line).
        safe += (c > 32 && c < 127 && c != '[' && c != ']' && c != '$') ? static_cast<char>(c) : '_';
    }
    return safe.empty() ? std::string("_") : safe;
}

FileResult CVcdWriter::Write(const CLogicDocument& document, const CWindowRecords& records,
                             const std::string& path, const std::string& date) {
    const LOGIC_CONDITION& condition = document.Condition();
    const int direction = condition.Direction;
    const CLogicMemory* memory = document.Memory(direction);
    const CChannelTable* table = records.Table(direction);
    const DIRECTION_GROUP* group = condition.Group(direction);
    if (memory == nullptr || table == nullptr || group == nullptr) {
        return FileResult::SaveFailed("the document has no direction to write");
    }
    const bool internal = group->ClockType == 1;
    const int unit = group->ClockUnit >= 1 && group->ClockUnit <= 4 ? group->ClockUnit : 4;
    const uint64_t step = internal ? std::max<uint32_t>(group->Clock, 1) : 1;

    std::string header = "$date\n   " + date + "\n$end\n$version\n   Nivara " NIVARA_FILE_VERSION "\n$end\n";
    if (!internal) {
        header += group->ClockType == 3 ? "$comment times are clock indexes: the clock is the handshake $end\n"
                                        : "$comment times are clock indexes: the clock is external $end\n";
    }
    header += "$timescale 1 " + std::string(internal ? UnitTexts[unit - 1] : "ns") + " $end\n";
    header += "$scope module nivara $end\n";
    std::vector<WIRE> wires;
    std::set<std::string> names;
    std::string originals;  // names VCD cannot hold, for a read of this file
    uint32_t wired = 0;
    for (std::size_t row = 0; row < table->Size(); ++row) {
        const LOGIC_DATA& data = table->At(row);
        if (data.IsBus != 0 || data.IsEnable == 0 || data.DeviceChannel < 0 || data.DeviceChannel > 31) {
            continue;
        }
        wires.push_back({data.DeviceChannel, CodeOf(wires.size())});
        wired |= uint32_t{1} << data.DeviceChannel;
        const std::string safe = UniqueName(data.ChannelName, names);
        header += "$var wire 1 " + wires.back().Code + " " + safe + " $end\n";
        if (safe != data.ChannelName) {
            originals += "$comment name " + wires.back().Code + " " + CVcdTokens::Escape(data.ChannelName) + " $end\n";
        }
    }
    header += "$upscope $end\n";
    // The device channel of every wire, in declaration order: a read of this
    // file gives each signal its channel back.
    header += "$comment channels";
    for (const WIRE& wire : wires) {
        header += " " + std::to_string(wire.Channel);
    }
    header += " $end\n" + originals;
    int busIndex = 0;
    for (std::size_t row = 0; row < table->Size(); ++row) {
        const LOGIC_DATA& bus = table->At(row);
        if (bus.IsBus == 0) {
            continue;
        }
        // Members in table order: the order that packs the bus value.
        if (SafeName(bus.ChannelName) != bus.ChannelName) {
            header += "$comment busname " + std::to_string(busIndex) + " " + CVcdTokens::Escape(bus.ChannelName) +
                      " $end\n";
        }
        ++busIndex;
        header += "$comment bus " + SafeName(bus.ChannelName) + ": channels";
        for (std::size_t member = 0; member < table->Size(); ++member) {
            const LOGIC_DATA& data = table->At(member);
            if (data.IsBus == 0 && data.DeviceChannel >= 0 && data.DeviceChannel <= 31 &&
                ((bus.BusChannel >> data.DeviceChannel) & 1U) != 0) {
                header += " " + std::to_string(data.DeviceChannel);
            }
        }
        header += " $end\n";
    }
    if (const CBookmarkList* bookmarks = records.Bookmarks(direction)) {
        for (std::size_t i = 0; i < bookmarks->Size(); ++i) {
            const BOOKMARK_DATA& mark = bookmarks->At(i);
            // The flag always stands: a memo may begin with any word.
            header += "$comment bookmark " + std::to_string(mark.BookmarkAbsolutePosition) +
                      (mark.IsCurrentBookmark != 0 ? " 1" : " 0") +
                      (mark.BookmarkMemo.empty() ? "" : " " + CVcdTokens::Escape(mark.BookmarkMemo)) + " $end\n";
        }
    }
    header += "$enddefinitions $end\n";

    CBufferedFile file;
    if (!file.CreateBeside(path)) {
        return FileResult::SaveFailed(file.Error());
    }
    CVcdStream stream(file, wires);
    const uint32_t* words = memory->Data();
    const uint32_t count = document.ValidLengthOf(direction);
    bool ok = stream.Text(header) && stream.Text("#0\n$dumpvars\n");
    if (ok && count > 0) {
        for (const WIRE& wire : wires) {
            ok = ok && stream.Text(std::string(1, static_cast<char>('0' + ((words[0] >> wire.Channel) & 1U))) +
                                   wire.Code + "\n");
        }
    }
    ok = ok && stream.Text("$end\n") && stream.Changes(words, count, step, wired);
    if (!ok || !file.Finish()) {
        const std::string reason = file.Error();
        file.Abandon();
        return FileResult::SaveFailed(reason.empty() ? "the file could not be written" : reason);
    }
    return FileResult::Success();
}
