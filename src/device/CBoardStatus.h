#pragma once
#include <cstdint>

#include "device/BOARD_STATUS_ROWS.h"

struct LOGIC_CONDITION;

// The five rows of the operation status list, composed from the board's
// count, status bits and error bits with the document's condition.
class CBoardStatus {
public:
    // Labels filled, value cells empty (the state before the first tick).
    [[nodiscard]] static BOARD_STATUS_ROWS InitialRows();

    // ShowBoardStatus: the rows for one timer tick.
    [[nodiscard]] static BOARD_STATUS_ROWS Rows(const LOGIC_CONDITION& condition, bool isRunning, uint32_t count,
                                                uint32_t status, uint32_t errorBits);

    // The Error row after a file write error.
    [[nodiscard]] static std::string FileWriteErrorText();

private:
    [[nodiscard]] static std::string OperationText(const LOGIC_CONDITION& condition, bool isRunning,
                                                   uint32_t status);
    [[nodiscard]] static std::string ErrorText(uint32_t errorBits);
};
