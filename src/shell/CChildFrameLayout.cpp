#include "shell/CChildFrameLayout.h"

#include <algorithm>

int CChildFrameLayout::ScaleTenths(int dotsPerInch) {
    return dotsPerInch > 0 ? dotsPerInch * 10 / 96 : 10;
}

LEFT_COLUMN_ROWS CChildFrameLayout::LeftColumnRows(int scaleTenths, int clientHeight) {
    // Integer division truncates toward zero, as the scaled sizes require.
    const int c = 20 * (scaleTenths - 10) / 10;
    const int d = 80 * (scaleTenths - 10) / 10;
    LEFT_COLUMN_ROWS rows;
    rows.Header = 24 + c;
    rows.Workspace = 20 + c;
    rows.Status = 130 + d;
    rows.Signals = std::max(0, clientHeight - FixedRowsHeight - 2 * c - d);
    return rows;
}
