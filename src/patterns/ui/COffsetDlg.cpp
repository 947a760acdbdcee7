#include "patterns/ui/COffsetDlg.h"

#include <QComboBox>

#include "patterns/CPatternCreator.h"
#include "resources/StringIds.h"

COffsetDlg::COffsetDlg(int initialChannel, IUserMessages& messages, QWidget* parent)
    : CPatternDlgBase(DialogId, IDS_OFFSET_CAPTION, 1018, initialChannel, messages, parent),
      m_level(AddLevelList(IDS_OFFSET_DATA, 1019)) {}

PATTERN_PARAMETERS COffsetDlg::Parameters() const {
    PATTERN_PARAMETERS p;
    p.PatternKind = CPatternCreator::KindOffset;
    p.PatternChannel = static_cast<int16_t>(Channel());
    p.PatternData = static_cast<int16_t>(m_level->currentIndex() == 1 ? 1 : 0);
    p.ZeroClockCount = 0;
    p.PatternCount = 0;
    return p;
}
