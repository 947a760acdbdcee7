#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The user's persisted settings, by section and entry ("Common Settings",
// "Direction"). The window layer keeps them with the platform's settings;
// tests keep them in memory.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    // The stored number, or nothing when the entry is missing or not a number.
    [[nodiscard]] virtual std::optional<int64_t> ReadNumber(const std::string& section,
                                                            const std::string& entry) const = 0;
    [[nodiscard]] virtual std::optional<std::string> ReadText(const std::string& section,
                                                              const std::string& entry) const = 0;
    virtual void WriteNumber(const std::string& section, const std::string& entry, int64_t value) = 0;
    virtual void WriteText(const std::string& section, const std::string& entry, const std::string& value) = 0;
    // Removes an entry or a whole key below a section.
    virtual void Remove(const std::string& section, const std::string& key) = 0;
};
