// nivara-cli info [--json] FILE
#include <cstdio>
#include <string>
#include <vector>

#include "CCliArguments.h"
#include "CCliSession.h"
#include "CliCommand.h"
#include "files/CComFileRW.h"
#include "files/CConditionFields.h"
#include "files/CCsvFileRW.h"
#include "files/CVpbFileRW.h"
#include "files/PULSE_CONTENT.h"
#include "files/PulseFile.h"

namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

// What info shows of a file.
struct FILE_INFO {
    std::string Kind;
    Fields Condition;
    bool IsPulse = false;
    PULSE_CONTENT Content;
    uint32_t Words = 0;
};

bool EndsWith(const std::string& text, const char* tail) {
    const std::string end(tail);
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

Fields WithVersion(Fields fields, const std::string& version) {
    for (auto& [key, value] : fields) {
        if (key == "Version") {
            value = version;
        }
    }
    return fields;
}

FileResult ProbeText(const std::string& path, const CLogicDocument& document, FILE_INFO& info) {
    CCsvFileRW file;
    FileResult result = file.OpenRead(path);
    if (result) {
        result = file.ReadHeader(document, info.Content);
    }
    if (result) {
        result = file.CountWords(info.Content.Staged.Size, info.Words);
    }
    info.Kind = "pulse text file";
    return result;
}

FileResult ProbeBinary(const std::string& path, const CLogicDocument& document, FILE_INFO& info) {
    CVpbFileRW file;
    uint32_t announced = 0;
    FileResult result = file.OpenRead(path);
    if (result) {
        result = file.ReadHeader(document, info.Content);
    }
    if (result) {
        result = file.ReadWordCount(announced);
    }
    info.Words = std::min(announced, info.Content.Staged.Size);
    info.Kind = "pulse binary file";
    return result;
}

FileResult ProbeCondition(const std::string& path, const CLogicDocument& document, FILE_INFO& info) {
    CComFileRW file;
    KEY_VALUES values;
    STAGED_CONDITION staged;
    FileResult result = file.OpenRead(path);
    if (result) {
        result = file.ReadKeyValues(values);
    }
    if (result) {
        result = CConditionFields::Stage(document, values, CConditionFields::Kind::Condition, staged);
    }
    if (result) {
        const auto version = values.find("Version");
        info.Condition = WithVersion(CConditionFields::Fields(staged.Condition, staged.Size,
                                                              CConditionFields::Kind::Condition),
                                     version != values.end() ? version->second : std::string());
    }
    info.Kind = "condition file";
    return result;
}

FileResult Probe(const std::string& path, const CLogicDocument& document, FILE_INFO& info) {
    if (EndsWith(path, "nvc")) {
        return ProbeCondition(path, document, info);
    }
    info.IsPulse = true;
    FileResult result = IsPulseTextPath(path) ? ProbeText(path, document, info) : ProbeBinary(path, document, info);
    if (result) {
        info.Condition = WithVersion(CConditionFields::Fields(info.Content.Staged.Condition, info.Content.Staged.Size,
                                                              CConditionFields::Kind::Pulse),
                                     info.Content.Version);
    }
    return result;
}

// ------------------------------------------------------------------ text

// A text as a terminal may show it: control characters as "\xHH".
std::string Printable(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

// The bookmark fields as the files write them: "%d".
int32_t Signed(uint32_t value) { return static_cast<int32_t>(value); }

void PrintText(const std::string& path, const FILE_INFO& info) {
    std::printf("File: %s (%s)\n", Printable(path).c_str(), info.Kind.c_str());
    for (const auto& [key, value] : info.Condition) {
        std::printf("%s: %s\n", key.c_str(), Printable(value).c_str());
    }
    if (!info.IsPulse) {
        return;
    }
    std::printf("Channels: %zu\n", info.Content.Table.Size());
    for (const LOGIC_DATA& row : info.Content.Table) {
        std::printf("  %s,%d,%d,%d,%s\n", Printable(row.ChannelName).c_str(), row.DeviceChannel, row.IsEnable,
                    row.IsBus, CConditionFields::HexText(row.BusChannel).c_str());
    }
    std::printf("Bookmarks: %zu\n", info.Content.Bookmarks.Size());
    for (const BOOKMARK_DATA& mark : info.Content.Bookmarks) {
        std::printf("  %d,%d,%s\n", Signed(mark.BookmarkAbsolutePosition), Signed(mark.IsCurrentBookmark),
                    Printable(mark.BookmarkMemo).c_str());
    }
    std::printf("Data words: %u\n", info.Words);
}

// ------------------------------------------------------------------ JSON

// The length of the well-formed UTF-8 sequence at text[i], 0 when the bytes
// there are not one (a stray continuation byte, an overlong form, a
// surrogate, a value above U+10FFFF or a cut sequence).
std::size_t Utf8Length(const std::string& text, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = at(i);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size() || at(i + 1) < low || at(i + 1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (at(i + k) < 0x80 || at(i + k) > 0xBF) {
            return 0;
        }
    }
    return length;
}

// A JSON string. The files store names byte for byte: a byte that is not
// part of well-formed UTF-8 is given as the character of that value
// ("\u00E9" for 0xE9), so the output is always valid JSON.
std::string Json(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        char escape[8];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
            ++i;
        } else if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
            ++i;
        } else if (byte < 0x80) {
            out += c;
            ++i;
        } else if (const std::size_t length = Utf8Length(text, i); length > 0) {
            out.append(text, i, length);
            i += length;
        } else {
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
            ++i;
        }
    }
    return out + "\"";
}

bool IsTextKey(const std::string& key) {
    return key == "Version" || key == "DeviceDesc" || key == "DeviceName" || key == "AutoSavePath" ||
           key == "AutoSaveFileName";
}

// Numbers as JSON numbers, texts and "0x" values as strings.
std::string JsonValue(const std::string& key, const std::string& value) {
    return IsTextKey(key) || value.rfind("0x", 0) == 0 ? Json(value) : value;
}

void PrintJson(const std::string& path, const FILE_INFO& info) {
    std::string out = "{\"File\":" + Json(path) + ",\"Kind\":" + Json(info.Kind);
    for (const auto& [key, value] : info.Condition) {
        out += "," + Json(key) + ":" + JsonValue(key, value);
    }
    if (info.IsPulse) {
        out += ",\"Channels\":[";
        const char* separator = "";
        for (const LOGIC_DATA& row : info.Content.Table) {
            out += separator;
            out += "{\"ChannelName\":" + Json(row.ChannelName) + ",\"DeviceChannel\":" +
                   std::to_string(row.DeviceChannel) + ",\"IsEnable\":" + std::to_string(row.IsEnable) +
                   ",\"IsBus\":" + std::to_string(row.IsBus) +
                   ",\"BusChannel\":" + Json(CConditionFields::HexText(row.BusChannel)) + "}";
            separator = ",";
        }
        out += "],\"Bookmarks\":[";
        separator = "";
        for (const BOOKMARK_DATA& mark : info.Content.Bookmarks) {
            out += separator;
            out += "{\"BookmarkAbsolutePosition\":" + std::to_string(Signed(mark.BookmarkAbsolutePosition)) +
                   ",\"IsCurrentBookmark\":" + std::to_string(Signed(mark.IsCurrentBookmark)) +
                   ",\"BookmarkMemo\":" + Json(mark.BookmarkMemo) + "}";
            separator = ",";
        }
        out += "],\"WordCount\":" + std::to_string(info.Words);
    }
    out += "}\n";
    std::fputs(out.c_str(), stdout);
}

}  // namespace

int RunInfo(const std::vector<std::string>& arguments) {
    const CLI_COMMAND& command = FindCliCommand("info");
    if (CCliSession::AnswerHelp(arguments, command.Usage, command.Summary)) {
        return 0;
    }
    const CCliArguments parsed(arguments, {"--json"}, {});
    if (!parsed.Ok()) {
        return CCliSession::UsageError(command.Usage, "info: " + parsed.Error());
    }
    const bool json = parsed.Has("--json");
    const std::vector<std::string>& files = parsed.Operands();
    if (files.size() != 1) {
        return CCliSession::UsageError(command.Usage, "info: give exactly one FILE");
    }
    CCliSession session;
    FILE_INFO info;
    const FileResult result = Probe(files[0], session.Document, info);
    if (!result) {
        CCliSession::Complain(files[0], result.Reason);
        return 1;
    }
    if (json) {
        PrintJson(files[0], info);
    } else {
        PrintText(files[0], info);
    }
    return 0;
}
