#include "device/CBoardStatus.h"

#include "document/LOGIC_CONDITION.h"
#include "resources/CStringTable.h"

BOARD_STATUS_ROWS CBoardStatus::InitialRows() {
    BOARD_STATUS_ROWS rows;
    rows[STATUS_ROW_OPERATION].Label = LoadText(41000);
    rows[STATUS_ROW_MODE].Label = LoadText(41010);
    rows[STATUS_ROW_POSITION].Label = LoadText(41020);
    rows[STATUS_ROW_REPEAT].Label = LoadText(41030);
    rows[STATUS_ROW_ERROR].Label = LoadText(41040);
    return rows;
}

BOARD_STATUS_ROWS CBoardStatus::Rows(const LOGIC_CONDITION& condition, bool isRunning, uint32_t count,
                                     uint32_t status, uint32_t errorBits) {
    BOARD_STATUS_ROWS rows = InitialRows();
    const int direction = condition.Direction;
    const DIRECTION_GROUP* group = condition.Group(direction);
    rows[STATUS_ROW_OPERATION].Value = OperationText(condition, isRunning, status);
    rows[STATUS_ROW_MODE].Value = direction == DIRECTION_SAMPLING     ? LoadText(41011)
                                  : direction == DIRECTION_GENERATING ? LoadText(41012)
                                                                      : std::string(1, '-');
    const int64_t span =
        group != nullptr ? int64_t{group->StopPosition} - int64_t{group->StartPosition} + 1 : int64_t{1};
    const auto shownCount = static_cast<int>(count);
    if (group != nullptr && group->StopTrigger == 4) {
        const auto total = static_cast<int>(int64_t{group->RepeatCount} * span);
        rows[STATUS_ROW_POSITION].Value = CStringTable::FormatPrintf("%d / %d %s", shownCount, total, LoadText(41021).c_str());
        const int64_t times = span != 0 ? int64_t{count} / span : 0;
        rows[STATUS_ROW_REPEAT].Value = CStringTable::FormatPrintf("%d %s", static_cast<int>(times), LoadText(41031).c_str());
    } else {
        rows[STATUS_ROW_POSITION].Value = CStringTable::FormatPrintf("%d %s", shownCount, LoadText(41021).c_str());
        rows[STATUS_ROW_REPEAT].Value.assign(1, '-');
    }
    rows[STATUS_ROW_ERROR].Value = ErrorText(errorBits);
    return rows;
}

std::string CBoardStatus::OperationText(const LOGIC_CONDITION& condition, bool isRunning, uint32_t status) {
    std::string text(1, '-');
    const DIRECTION_GROUP* group = condition.Group(condition.Direction);
    if ((status & 0x02) != 0) {
        text = LoadText(41001);
    } else if (isRunning && group != nullptr && group->StartTrigger != 1) {
        text = LoadText(41002);
    }
    if (!isRunning || ((status & 0x01) != 0 && (status & 0x04) != 0)) {
        text = LoadText(41003);
    }
    return text;
}

std::string CBoardStatus::ErrorText(uint32_t errorBits) {
    if ((errorBits & 0x7F) == 0) {
        return LoadText(41041);
    }
    static constexpr struct {
        uint32_t Bit;
        int Id;
    } texts[] = {{0x01, 41042}, {0x02, 41045}, {0x04, 41046}, {0x08, 41043}, {0x10, 41044}};
    std::string text;
    for (const auto& entry : texts) {
        if ((errorBits & entry.Bit) != 0) {
            text.append(CStringTable::FormatPrintf("%s, ", LoadText(entry.Id).c_str()));
        }
    }
    return text;
}

std::string CBoardStatus::FileWriteErrorText() {
    return CStringTable::FormatPrintf("%s, ", LoadText(41050).c_str());
}
