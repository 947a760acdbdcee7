#include "files/DataPatternFile.h"

#include <algorithm>
#include <vector>

#include "document/CLogicDocument.h"
#include "files/CComFileRW.h"
#include "files/CNumberText.h"
#include "files/IFileWindow.h"

namespace {

// The pattern bits of a "Data" value; false for any character but "0" and "1".
bool PatternBits(const std::string& text, std::vector<uint32_t>& bits) {
    bits.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '0' && text[i] != '1') {
            return false;
        }
        bits[i] = static_cast<uint32_t>(text[i] - '0');
    }
    return true;
}

void Stamp(CLogicMemory& memory, const std::vector<uint32_t>& bits, uint64_t total, int channel) {
    const uint64_t n = std::min<uint64_t>(total, memory.Length());
    uint32_t* words = memory.Data();
    const uint32_t mask = 1U << channel;
    std::size_t phase = 0;
    memory.MarkReplaced();
    for (uint64_t i = 0; i < n; ++i) {
        words[i] = (words[i] & ~mask) | (bits[phase] << channel);
        if (++phase == bits.size()) {
            phase = 0;
        }
    }
}

}  // namespace

FileResult WriteDataPatternFile(const CLogicDocument& document, const std::string& path) {
    const PATTERN_PARAMETERS& pattern = document.PatternParameters;
    if (pattern.BasicPatternLength == 0) {
        return FileResult::SaveFailed("no data pattern was created");
    }
    if (pattern.BasicPatternLength > MaxDataPatternLength) {
        return FileResult::SaveFailed("the pattern is longer than 100000000 clocks");
    }
    if (pattern.PatternChannel < 0 || pattern.PatternChannel > 31) {
        return FileResult::SaveFailed("the pattern channel is outside 0..31");
    }
    const CLogicMemory& memory = document.GeneratingMemory();
    const uint32_t* words = memory.Data();
    std::string bits(pattern.BasicPatternLength, '0');
    const uint32_t inside = std::min(pattern.BasicPatternLength, memory.Length());
    for (uint32_t i = 0; i < inside; ++i) {
        bits[i] = static_cast<char>('0' + ((words[i] >> pattern.PatternChannel) & 1U));
    }
    CComFileRW file;
    return file.WriteText(path, CComFileRW::DataPatternText(bits, pattern.PatternCount));
}

FileResult ReadDataPatternFile(CLogicDocument& document, IFileWindow& window, const std::string& path) {
    CComFileRW file;
    KEY_VALUES values;
    FileResult result = file.OpenRead(path);
    if (result) {
        result = file.ReadKeyValues(values);
    }
    if (!result) {
        return result;
    }
    const auto data = values.find("Data");
    const auto count = values.find("PulseNum");
    std::vector<uint32_t> bits;
    if (data == values.end() || data->second.empty()) {
        return FileResult::ReadRefused("the file has no pattern (\"Data\" line)");
    }
    if (!PatternBits(data->second, bits)) {
        return FileResult::ReadRefused("the pattern holds a character other than 0 and 1");
    }
    if (count == values.end()) {
        return FileResult::ReadRefused("the file has no \"PulseNum\" line");
    }
    // Written as "%d": a count above 0x7FFFFFFF comes back negative.
    uint32_t repeat = 0;
    std::string problem;
    if (!CConditionFields::DecimalField("PulseNum", count->second, repeat, problem)) {
        return FileResult::ReadRefused(problem);
    }
    const int channel = window.DataPatternTargetChannel();
    if (channel < 0 || channel > 31) {
        return FileResult::ReadRefused("the chosen row is a bus or its channel is outside 0..31");
    }
    CLogicMemory& memory = document.GeneratingMemory();
    const uint64_t total = repeat == 0 ? memory.Length() : uint64_t{bits.size()} * repeat;
    Stamp(memory, bits, total, channel);
    // The generating memory changed: the close query asks about it.
    document.Saved = 0;
    window.Repaint();
    return FileResult::Success();
}
