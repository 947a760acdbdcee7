#include "files/CComFileRW.h"

#include "files/FileFormat.h"

FileResult CComFileRW::WriteText(const std::string& path, std::string_view text) {
    if (!m_file.CreateBeside(path) || !m_file.Write(text) || !m_file.Finish()) {
        m_file.Abandon();
        return FileResult::SaveFailed(m_file.Error());
    }
    return FileResult::Success();
}

std::string CComFileRW::ConditionText(const LOGIC_CONDITION& condition, uint32_t size) {
    std::string text = std::string(FileMagic) + "\r\n";
    for (const auto& [key, value] : CConditionFields::Fields(condition, size, CConditionFields::Kind::Condition)) {
        text += key + "," + value + "\r\n";
    }
    text += "\r\n";
    return text;
}

std::string CComFileRW::DataPatternText(std::string_view bits, uint32_t repeatCount) {
    std::string text = std::string(FileMagic) + "\r\nVersion," + FileVersionText + "\r\nData,";
    text += bits;
    text += "\r\nPulseNum," + std::to_string(static_cast<int32_t>(repeatCount)) + "\r\n\r\n";
    return text;
}

FileResult CComFileRW::OpenRead(const std::string& path) {
    return m_file.OpenRead(path) ? FileResult::Success() : FileResult::ReadRefused(m_file.Error());
}

FileResult CComFileRW::ReadKeyValues(KEY_VALUES& values) {
    std::string_view line;
    if (!m_file.ReadLine(line)) {
        return FileResult::ReadRefused(!m_file.Error().empty() ? m_file.Error() : "the file is empty");
    }
    if (line != FileMagic) {
        return FileResult::ReadRefused("the first line is not \"" + std::string(FileMagic) + "\"");
    }
    while (m_file.ReadLine(line)) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            continue;
        }
        values[std::string(line.substr(0, comma))] = std::string(line.substr(comma + 1));
    }
    if (!m_file.Error().empty()) {
        return FileResult::ReadRefused(m_file.Error());
    }
    return FileResult::Success();
}
