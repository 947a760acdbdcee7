#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The most words a dump may give.
constexpr uint64_t VCD_MAX_WORDS = 100000000;

// One declared variable of a Value Change Dump.
struct VCD_VARIABLE {
    std::string Name;     // scopes joined by '.', then the reference
    std::string Reference;  // the reference alone
    std::string Code;     // identifier code
    int Width = 1;        // bits
    int RightIndex = 0;   // index of the least significant (rightmost) bit: 0 of [7:0], 7 of [0:7]
    int IndexStep = 1;    // from one bit to the next more significant: +1 for [7:0], -1 for [0:7]
    bool Indexed = false; // a 1-bit variable with its own index ("d [3]")
    int FirstChannel = 0; // channel of the least significant bit
};

// A bus described by this program's own "$comment bus NAME: channels ..." lines.
struct VCD_BUS {
    std::string Name;
    std::vector<int> Channels;
};

// What a dump's header declares.
struct VCD_DECLARATIONS {
    uint64_t TimescaleFs = 1000000;  // femtoseconds per time unit (1 ns unless declared)
    std::vector<VCD_VARIABLE> Variables;
    std::unordered_map<std::string, std::size_t> ByCode;  // identifier code -> variable
    std::unordered_set<std::string> IgnoredCodes;          // variables of other kinds
    std::vector<VCD_BUS> Buses;
    std::vector<int> WireChannels;  // this program's "$comment channels ..." line
    // This program's names that VCD could not hold: by wire code, by bus index.
    std::unordered_map<std::string, std::string> WireNames;
    std::unordered_map<std::string, std::string> BusNames;
    struct MARK {
        uint32_t Position;
        bool Current;
        std::string Memo;
    };
    std::vector<MARK> Bookmarks;
    int Bits = 0;
};
