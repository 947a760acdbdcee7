#include "shell/CRecentFileList.h"

#include <algorithm>

#include "shell/ISettingsStore.h"

namespace {
std::string EntryName(std::size_t index) { return "File" + std::to_string(index + 1); }

// Counts characters, not bytes: a UTF-8 continuation byte starts no character.
std::size_t Characters(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The first `count` characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && seen++ == count) {
            return text.substr(0, i);
        }
    }
    return text;
}
}  // namespace

void CRecentFileList::Read(const ISettingsStore& store) {
    m_entries.clear();
    for (std::size_t i = 0; i < MaxEntries; ++i) {
        const auto path = store.ReadText(m_section, EntryName(i));
        if (path && !path->empty() && std::find(m_entries.begin(), m_entries.end(), *path) == m_entries.end()) {
            m_entries.push_back(*path);
        }
    }
}

void CRecentFileList::Write(ISettingsStore& store) const {
    for (std::size_t i = 0; i < MaxEntries; ++i) {
        if (i < m_entries.size()) {
            store.WriteText(m_section, EntryName(i), m_entries[i]);
        } else {
            store.Remove(m_section, EntryName(i));
        }
    }
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > MaxEntries) {
        m_entries.resize(MaxEntries);
    }
}

bool CRecentFileList::RemoveAt(std::size_t index) {
    if (index >= m_entries.size()) {
        return false;
    }
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

std::string CRecentFileList::MenuText(std::size_t index) const {
    if (index >= m_entries.size()) {
        return {};
    }
    // A "&" of the path is doubled, so that it shows instead of marking a key.
    std::string shown;
    for (char c : Shorten(m_entries[index])) {
        shown += c == '&' ? std::string("&&") : std::string(1, c);
    }
    return "&" + std::to_string(index + 1) + " " + shown;
}

std::string CRecentFileList::Shorten(const std::string& path) {
    if (Characters(path) <= DisplayLength) {
        return path;
    }
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t nameLength = Characters(name);
    if (nameLength + 4 > DisplayLength) {
        return FirstCharacters(name, DisplayLength);
    }
    // As much of the path's start as leaves room for ".../" and the name.
    const std::size_t room = DisplayLength - nameLength - 4;
    std::string head = FirstCharacters(path, room);
    const std::size_t headSlash = head.find_last_of('/');
    head = headSlash == std::string::npos ? std::string() : head.substr(0, headSlash + 1);
    return head + ".../" + name;
}
