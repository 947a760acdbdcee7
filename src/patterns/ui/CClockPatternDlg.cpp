#include "patterns/ui/CClockPatternDlg.h"

#include <QComboBox>
#include <QLineEdit>

#include "patterns/CPatternCreator.h"
#include "patterns/CPatternEntry.h"
#include "resources/StringIds.h"

CClockPatternDlg::CClockPatternDlg(int initialChannel, IUserMessages& messages, QWidget* parent)
    : CPatternDlgBase(DialogId, IDS_CLOCK_PATTERN_CAPTION, 1011, initialChannel, messages, parent),
      m_startData(AddLevelList(IDS_CLOCK_PATTERN_START_DATA, 1012)),
      m_zeros(AddEdit(IDS_CLOCK_PATTERN_ZERO_COUNT, 1013, QStringLiteral("1"))),
      m_ones(AddEdit(IDS_CLOCK_PATTERN_ONE_COUNT, 1014, QStringLiteral("1"))),
      m_pulses(AddEdit(IDS_CLOCK_PATTERN_PULSE_COUNT, 1015, QStringLiteral("0"))) {}

PATTERN_PARAMETERS CClockPatternDlg::Parameters() const {
    PATTERN_PARAMETERS p;
    p.PatternKind = CPatternCreator::KindClock;
    p.PatternChannel = static_cast<int16_t>(Channel());
    p.PatternData = static_cast<int16_t>(m_startData->currentIndex() == 1 ? 1 : 0);
    p.ZeroClockCount = NumberOf(m_zeros);
    p.OneClockCount = NumberOf(m_ones);
    p.PatternCount = NumberOf(m_pulses);
    return p;
}

std::string CClockPatternDlg::ExtraProblem() const {
    return CPatternEntry::PeriodProblem(NumberOf(m_zeros), NumberOf(m_ones));
}
