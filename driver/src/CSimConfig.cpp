#include "CSimConfig.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "qdxapi_sim.h"

namespace qdxsim {

namespace {

[[nodiscard]] std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

[[nodiscard]] bool ParseEntry(std::string_view item, int32_t defaultSource, SIM_BOARD_ENTRY& entry)
{
    if (item.empty()) return false;
    if (item.front() == '#') {
        const std::string_view digits = item.substr(1);
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), entry.Code);
        return ec == std::errc{} && end == digits.data() + digits.size() && entry.Code != 0;
    }
    const auto colon = item.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    entry.Name = std::string(item.substr(0, colon));
    std::string_view rest = item.substr(colon + 1);
    entry.Source = defaultSource;
    const auto second = rest.find(':');
    if (second != std::string_view::npos) {
        if (!CSimConfig::ParseSource(rest.substr(second + 1), entry.Source)) return false;
        rest = rest.substr(0, second);
    }
    entry.Type = std::string(rest);
    const bool nameOk = entry.Name.size() < 256 && entry.Name.find_first_of(" \t") == std::string::npos;
    return nameOk && !entry.Type.empty() && entry.Type.size() < 256;
}

void Warn(const char* what, const std::string& value)
{
    std::fprintf(stderr, "qdxapi: %s \"%s\" is not valid and is ignored\n", what, value.c_str());
}

}  // namespace

bool CSimConfig::ParseSource(std::string_view text, int32_t& source)
{
    text = Trim(text);
    if (text == "counter") {
        source = QDX_SIM_INPUT_COUNTER;
    } else if (text == "loopback") {
        source = QDX_SIM_INPUT_LOOPBACK;
    } else if (text == "zero") {
        source = QDX_SIM_INPUT_ZERO;
    } else {
        return false;
    }
    return true;
}

bool CSimConfig::ParseBoards(std::string_view text, int32_t defaultSource, std::vector<SIM_BOARD_ENTRY>& out)
{
    std::vector<SIM_BOARD_ENTRY> entries;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const std::string_view item = Trim(text.substr(0, comma));
        SIM_BOARD_ENTRY entry;
        if (!ParseEntry(item, defaultSource, entry)) return false;
        for (const SIM_BOARD_ENTRY& other : entries) {
            if (entry.Code == 0 && other.Code == 0 && other.Name == entry.Name) return false;
        }
        entries.push_back(std::move(entry));
        if (comma == std::string_view::npos) break;
        text = text.substr(comma + 1);
    }
    if (entries.empty() || entries.size() > 1000) return false;
    out = std::move(entries);
    return true;
}

SIM_SETTINGS CSimConfig::Defaults()
{
    SIM_SETTINGS settings;
    (void)ParseBoards(kDefaultBoards, QDX_SIM_INPUT_COUNTER, settings.Boards);
    return settings;
}

bool CSimConfig::ParseRate(const std::string& text, uint32_t& rate)
{
    const std::string_view value = Trim(text);
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), rate);
    return ec == std::errc{} && end == value.data() + value.size();
}

void CSimConfig::ReadFile(const char* path, RAW_SETTINGS& raw)
{
    std::ifstream file(path);
    if (!file) {
        Warn("configuration file", path);
        return;
    }
    std::string line;
    while (std::getline(file, line)) {
        const std::string_view text = Trim(line);
        if (text.empty() || text.front() == ';' || text.front() == '#') continue;
        const auto equals = text.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = Trim(text.substr(0, equals));
        const std::string value(Trim(text.substr(equals + 1)));
        if (key == "boards") raw.Boards = value;
        if (key == "input") raw.Input = value;
        if (key == "external_clock") raw.ExternalRate = value;
        if (key == "handshake") raw.HandshakeRate = value;
    }
}

void CSimConfig::ReadVariables(RAW_SETTINGS& raw)
{
    if (const char* value = std::getenv("NIVARA_SIM_BOARDS"); value != nullptr && *value != '\0') raw.Boards = value;
    if (const char* value = std::getenv("NIVARA_SIM_INPUT"); value != nullptr && *value != '\0') raw.Input = value;
    if (const char* value = std::getenv("NIVARA_SIM_EXTERNAL_CLOCK"); value != nullptr && *value != '\0') {
        raw.ExternalRate = value;
    }
    if (const char* value = std::getenv("NIVARA_SIM_HANDSHAKE"); value != nullptr && *value != '\0') {
        raw.HandshakeRate = value;
    }
}

SIM_SETTINGS CSimConfig::FromEnvironment()
{
    RAW_SETTINGS raw;
    if (const char* path = std::getenv("NIVARA_SIM_CONFIG"); path != nullptr && *path != '\0') ReadFile(path, raw);
    ReadVariables(raw);

    SIM_SETTINGS settings = Defaults();
    int32_t source = QDX_SIM_INPUT_COUNTER;
    if (!raw.Input.empty() && !ParseSource(raw.Input, source)) Warn("input source", raw.Input);
    const std::string boards = raw.Boards.empty() ? std::string(kDefaultBoards) : raw.Boards;
    if (!ParseBoards(boards, source, settings.Boards)) {
        Warn("board set", boards);
        (void)ParseBoards(kDefaultBoards, source, settings.Boards);
    }
    if (!raw.ExternalRate.empty() && !ParseRate(raw.ExternalRate, settings.ExternalRate)) {
        Warn("external clock rate", raw.ExternalRate);
    }
    if (!raw.HandshakeRate.empty() && !ParseRate(raw.HandshakeRate, settings.HandshakeRate)) {
        Warn("handshake rate", raw.HandshakeRate);
    }
    return settings;
}

}  // namespace qdxsim
