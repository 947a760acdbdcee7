#pragma once
#include <cstddef>
#include <string>
#include <vector>

class ISettingsStore;

// One recent-file list: up to eight paths, newest first, kept in a settings
// section as "File1" .. "File8".
class CRecentFileList {
public:
    static constexpr std::size_t MaxEntries = 8;
    static constexpr std::size_t DisplayLength = 30;

    explicit CRecentFileList(std::string section) : m_section(std::move(section)) {}

    void Read(const ISettingsStore& store);
    void Write(ISettingsStore& store) const;

    // Puts a path at the head (a path already listed moves there).
    void Add(const std::string& path);
    // Removes the entry at an index; false outside the list.
    bool RemoveAt(std::size_t index);

    [[nodiscard]] const std::vector<std::string>& Entries() const { return m_entries; }
    [[nodiscard]] const std::string& Section() const { return m_section; }
    // The menu text of an entry: "&%d " (counted from 1) and the shortened
    // path, its "&" doubled.
    [[nodiscard]] std::string MenuText(std::size_t index) const;
    // A path of at most DisplayLength characters: the start of the path, then
    // ".../" and the file name, as much as fits.
    [[nodiscard]] static std::string Shorten(const std::string& path);

private:
    std::string m_section;
    std::vector<std::string> m_entries;
};
