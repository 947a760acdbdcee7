#pragma once
#include <array>
#include <string>

// One row of the operation status list: label and value cell.
struct STATUS_ROW {
    std::string Label;
    std::string Value;

    bool operator==(const STATUS_ROW&) const = default;
};

// Row numbers of the operation status list.
constexpr int STATUS_ROW_OPERATION = 0;
constexpr int STATUS_ROW_MODE = 1;
constexpr int STATUS_ROW_POSITION = 2;
constexpr int STATUS_ROW_REPEAT = 3;
constexpr int STATUS_ROW_ERROR = 4;

using BOARD_STATUS_ROWS = std::array<STATUS_ROW, 5>;
