#pragma once
#include "document/PATTERN_PARAMETERS.h"
#include "patterns/ui/CPatternDlgBase.h"

// Dialog 324, "Creating Clock Pattern": channel, start data, the clocks of
// level 0 and of level 1 per period and the pulse count (0 fills the memory).
class CClockPatternDlg : public CPatternDlgBase {
    Q_OBJECT
public:
    static constexpr int DialogId = 324;
    CClockPatternDlg(int initialChannel, IUserMessages& messages, QWidget* parent = nullptr);

    // The parameters of a clock pattern as typed.
    [[nodiscard]] PATTERN_PARAMETERS Parameters() const;

protected:
    [[nodiscard]] std::string ExtraProblem() const override;

private:
    QComboBox* m_startData;
    QLineEdit* m_zeros;
    QLineEdit* m_ones;
    QLineEdit* m_pulses;
};
