#include "patterns/ui/CContinuousPatternDlg.h"

#include <QLineEdit>

#include "patterns/CPatternCreator.h"
#include "resources/StringIds.h"

CContinuousPatternDlg::CContinuousPatternDlg(int initialChannel, IUserMessages& messages, QWidget* parent)
    : CPatternDlgBase(DialogId, IDS_CONTINUOUS_PATTERN_CAPTION, 1016, initialChannel, messages, parent),
      m_count(AddEdit(IDS_CONTINUOUS_PATTERN_COUNT, 1017, QStringLiteral("0"))) {}

PATTERN_PARAMETERS CContinuousPatternDlg::Parameters() const {
    PATTERN_PARAMETERS p;
    p.PatternKind = CPatternCreator::KindContinuous;
    p.PatternChannel = static_cast<int16_t>(Channel());
    p.PatternData = 0;
    p.ZeroClockCount = 0;
    p.PatternCount = NumberOf(m_count);
    return p;
}
