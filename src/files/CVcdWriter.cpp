#include "files/CVcdWriter.h"

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

// Decimal digits of a value, written backwards from `end`; returns the start.
char* Digits(uint64_t value, char* end) {
    do {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return end;
}

std::string UniqueName(const std::string& name, std::set<std::string>& taken) {
    std::string candidate = CVcdWriter::SafeName(name);
    for (int n = 2; !taken.insert(candidate).second; ++n) {
        candidate = CVcdWriter::SafeName(name) + "_" + std::to_string(n);
    }
    return candidate;
}

class CVcdStream {
public:
    explicit CVcdStream(CBufferedFile& file) : m_file(file) {}

    bool Text(const std::string& text) { return m_file.Write(text); }

    // "#t\n" then "vC\n" for every wire whose bit differs from `previous`.
    bool Changes(uint64_t time, uint32_t word, uint32_t changed, const std::vector<WIRE>& wires) {
        char* out = m_file.Reserve(24 + wires.size() * 8);
        if (out == nullptr) {
            return false;
        }
        char* start = out;
        char digits[24];
        char* first = Digits(time, digits + sizeof digits);
        *out++ = '#';
        const std::size_t length = static_cast<std::size_t>(digits + sizeof digits - first);
        std::memcpy(out, first, length);
        out += length;
        *out++ = '\n';
        for (const WIRE& wire : wires) {
            if (((changed >> wire.Channel) & 1U) != 0) {
                *out++ = static_cast<char>('0' + ((word >> wire.Channel) & 1U));
                std::memcpy(out, wire.Code.data(), wire.Code.size());
                out += wire.Code.size();
                *out++ = '\n';
            }
        }
        m_file.Advance(static_cast<std::size_t>(out - start));
        return true;
    }

private:
    CBufferedFile& m_file;
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
        // A bracket would read as a bit select of a vector.
        safe += (c > 32 && c < 127 && c != '[' && c != ']') ? static_cast<char>(c) : '_';
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
    CVcdStream stream(file);
    const uint32_t* words = memory->Data();
    const uint32_t count = document.ValidLengthOf(direction);
    bool ok = stream.Text(header) && stream.Text("#0\n$dumpvars\n");
    if (ok && count > 0) {
        for (const WIRE& wire : wires) {
            ok = ok && stream.Text(std::string(1, static_cast<char>('0' + ((words[0] >> wire.Channel) & 1U))) +
                                   wire.Code + "\n");
        }
    }
    ok = ok && stream.Text("$end\n");
    for (uint32_t i = 1; ok && i < count; ++i) {
        const uint32_t changed = (words[i] ^ words[i - 1]) & wired;
        if (changed != 0) {
            ok = stream.Changes(uint64_t{i} * step, words[i], changed, wires);
        }
    }
    if (ok) {
        char digits[24];
        char* first = Digits(uint64_t{count} * step, digits + sizeof digits);
        ok = stream.Text("#" + std::string(first, digits + sizeof digits) + "\n");
    }
    if (!ok || !file.Finish()) {
        const std::string reason = file.Error();
        file.Abandon();
        return FileResult::SaveFailed(reason.empty() ? "the file could not be written" : reason);
    }
    return FileResult::Success();
}
