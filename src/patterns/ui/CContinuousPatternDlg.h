#pragma once
#include "document/PATTERN_PARAMETERS.h"
#include "patterns/ui/CPatternDlgBase.h"

// Dialog 325, "Creating Continuous Pattern": the target channel and how often
// the selected stretch is repeated (0 fills the memory).
class CContinuousPatternDlg : public CPatternDlgBase {
    Q_OBJECT
public:
    static constexpr int DialogId = 325;
    CContinuousPatternDlg(int initialChannel, IUserMessages& messages, QWidget* parent = nullptr);

    [[nodiscard]] PATTERN_PARAMETERS Parameters() const;

private:
    QLineEdit* m_count;
};
