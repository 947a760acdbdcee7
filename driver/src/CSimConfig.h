// The bench configuration: board set, input sources and external clock rates,
// from the control interface, the environment or a small configuration file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qdxsim {

// One enumeration index: a board, or (Code != 0) an index without a device
// that answers Code.
struct SIM_BOARD_ENTRY {
    std::string Name;
    std::string Type;
    int32_t Source = 1;
    int32_t Code = 0;
};

struct SIM_SETTINGS {
    std::vector<SIM_BOARD_ENTRY> Boards;
    uint32_t ExternalRate = 1000000;
    uint32_t HandshakeRate = 100000;
};

class CSimConfig {
public:
    static constexpr std::string_view kDefaultBoards =
        "DIO000:QDX-32A-PE,DIO001:QDX-32A(PCI),DIO002:QDX-32C-PE,DIO003:QDX-16T-PE,#20003,DIO005:QDX-32C-PE";

    // "NAME:TYPE[:INPUT],#CODE,..."; false (and out untouched) on a syntax error.
    [[nodiscard]] static bool ParseBoards(std::string_view text, int32_t defaultSource,
                                          std::vector<SIM_BOARD_ENTRY>& out);
    // "counter", "loopback" or "zero".
    [[nodiscard]] static bool ParseSource(std::string_view text, int32_t& source);
    [[nodiscard]] static SIM_SETTINGS Defaults();
    // Defaults, then the file named by NIVARA_SIM_CONFIG, then the variables
    // NIVARA_SIM_BOARDS, NIVARA_SIM_INPUT, NIVARA_SIM_EXTERNAL_CLOCK and
    // NIVARA_SIM_HANDSHAKE. A value that does not parse is reported on
    // standard error and ignored.
    [[nodiscard]] static SIM_SETTINGS FromEnvironment();

private:
    struct RAW_SETTINGS {
        std::string Boards;
        std::string Input;
        std::string ExternalRate;
        std::string HandshakeRate;
    };
    static void ReadFile(const char* path, RAW_SETTINGS& raw);
    static void ReadVariables(RAW_SETTINGS& raw);
    [[nodiscard]] static bool ParseRate(const std::string& text, uint32_t& rate);
};

}  // namespace qdxsim
