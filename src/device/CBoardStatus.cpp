#include "device/CBoardStatus.h"

#include "document/LOGIC_CONDITION.h"
#include "qdxapi.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

BOARD_STATUS_ROWS CBoardStatus::InitialRows() {
    BOARD_STATUS_ROWS rows;
    rows[STATUS_ROW_OPERATION].Label = LoadText(IDS_STATUS_OPERATION);
    rows[STATUS_ROW_MODE].Label = LoadText(IDS_STATUS_MODE);
    rows[STATUS_ROW_POSITION].Label = LoadText(IDS_STATUS_POSITION);
    rows[STATUS_ROW_REPEAT].Label = LoadText(IDS_STATUS_REPEAT);
    rows[STATUS_ROW_ERROR].Label = LoadText(IDS_STATUS_ERROR);
    return rows;
}

BOARD_STATUS_ROWS CBoardStatus::Rows(const LOGIC_CONDITION& condition, bool isRunning, uint32_t count,
                                     uint32_t status, uint32_t errorBits) {
    BOARD_STATUS_ROWS rows = InitialRows();
    const int direction = condition.Direction;
    const DIRECTION_GROUP* group = condition.Group(direction);
    rows[STATUS_ROW_OPERATION].Value = OperationText(condition, isRunning, status);
    rows[STATUS_ROW_MODE].Value = direction == DIRECTION_SAMPLING     ? LoadText(IDS_MODE_SAMPLING)
                                  : direction == DIRECTION_GENERATING ? LoadText(IDS_MODE_GENERATING)
                                                                      : std::string(1, '-');
    const int64_t span =
        group != nullptr ? int64_t{group->StopPosition} - int64_t{group->StartPosition} + 1 : int64_t{1};
    const auto shownCount = static_cast<int>(count);
    if (group != nullptr && group->StopTrigger == 4) {
        const auto total = static_cast<int>(int64_t{group->RepeatCount} * span);
        rows[STATUS_ROW_POSITION].Value = CStringTable::FormatPrintf("%d / %d %s", shownCount, total, LoadText(IDS_UNIT_CLOCK).c_str());
        const int64_t times = span != 0 ? int64_t{count} / span : 0;
        rows[STATUS_ROW_REPEAT].Value = CStringTable::FormatPrintf("%d %s", static_cast<int>(times), LoadText(IDS_UNIT_TIMES).c_str());
    } else {
        rows[STATUS_ROW_POSITION].Value = CStringTable::FormatPrintf("%d %s", shownCount, LoadText(IDS_UNIT_CLOCK).c_str());
        rows[STATUS_ROW_REPEAT].Value.assign(1, '-');
    }
    rows[STATUS_ROW_ERROR].Value = ErrorText(errorBits);
    return rows;
}

std::string CBoardStatus::OperationText(const LOGIC_CONDITION& condition, bool isRunning, uint32_t status) {
    std::string text(1, '-');
    const DIRECTION_GROUP* group = condition.Group(condition.Direction);
    if ((status & QDX_STATUS_TRANSFERRING) != 0) {
        text = LoadText(IDS_OPERATION_RUN);
    } else if (isRunning && group != nullptr && group->StartTrigger != 1) {
        text = LoadText(IDS_OPERATION_WAIT_TRIGGER);
    }
    if (!isRunning || ((status & QDX_STATUS_ENDED) != 0 && (status & QDX_STATUS_SELF_ENDED) != 0)) {
        text = LoadText(IDS_OPERATION_STOP);
    }
    return text;
}

std::string CBoardStatus::ErrorText(uint32_t errorBits) {
    if ((errorBits & QDX_ERROR_BITS) == 0) {
        return LoadText(IDS_NO_ERROR);
    }
    static constexpr struct {
        uint32_t Bit;
        int Id;
    } texts[] = {{QDX_ERROR_TRANSFER, IDS_ERROR_TRANSFER},
                   {QDX_ERROR_TRANSFER_BUS, IDS_ERROR_TRANSFER_2},
                   {QDX_ERROR_OVERFLOW, IDS_ERROR_BUFFER_OVERFLOW},
                   {QDX_ERROR_TRIGGER_CLASH, IDS_ERROR_START_STOP_TOGETHER},
                   {QDX_ERROR_EXTERNAL_CLOCK, IDS_ERROR_EXTERNAL_CLOCK}};
    std::string text;
    for (const auto& entry : texts) {
        if ((errorBits & entry.Bit) != 0) {
            text.append(CStringTable::FormatPrintf("%s, ", LoadText(entry.Id).c_str()));
        }
    }
    return text;
}

std::string CBoardStatus::FileWriteErrorText() {
    return CStringTable::FormatPrintf("%s, ", LoadText(IDS_FILE_WRITE_ERROR).c_str());
}
