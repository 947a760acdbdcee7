#pragma once
#include "document/PATTERN_PARAMETERS.h"
#include "patterns/ui/CPatternDlgBase.h"

// Dialog 326, "Offset Setting": the channel and the level 0 or 1 it takes
// over the whole memory.
class COffsetDlg : public CPatternDlgBase {
    Q_OBJECT
public:
    static constexpr int DialogId = 326;
    COffsetDlg(int initialChannel, IUserMessages& messages, QWidget* parent = nullptr);

    [[nodiscard]] PATTERN_PARAMETERS Parameters() const;

private:
    QComboBox* m_level;
};
