#pragma once
#include <map>
#include <string>
#include <utility>

#include "shell/ISettingsStore.h"

// Settings kept in memory, as text like the platform keeps them.
class CMemorySettingsStore : public ISettingsStore {
public:
    [[nodiscard]] std::optional<int64_t> ReadNumber(const std::string& section,
                                                    const std::string& entry) const override {
        const auto text = ReadText(section, entry);
        if (!text || text->empty()) return std::nullopt;
        try {
            std::size_t used = 0;
            const long long value = std::stoll(*text, &used);
            return used == text->size() ? std::optional<int64_t>(value) : std::nullopt;
        } catch (...) {
            return std::nullopt;
        }
    }
    [[nodiscard]] std::optional<std::string> ReadText(const std::string& section,
                                                      const std::string& entry) const override {
        const auto found = Values.find({section, entry});
        return found == Values.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    void WriteNumber(const std::string& section, const std::string& entry, int64_t value) override {
        Values[{section, entry}] = std::to_string(value);
    }
    void WriteText(const std::string& section, const std::string& entry, const std::string& value) override {
        Values[{section, entry}] = value;
    }
    void Remove(const std::string& section, const std::string& key) override { Values.erase({section, key}); }

    [[nodiscard]] std::string Value(const std::string& section, const std::string& entry) const {
        return ReadText(section, entry).value_or("(missing)");
    }
    [[nodiscard]] bool Has(const std::string& section, const std::string& entry) const {
        return Values.count({section, entry}) != 0;
    }

    std::map<std::pair<std::string, std::string>, std::string> Values;
};
