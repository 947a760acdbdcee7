#include "analysis/CResultPages.h"

bool CResultPages::SetPage(int page) {
    if (page < 0 || page >= RESULT_PAGE_COUNT) {
        return false;
    }
    m_page = static_cast<RESULT_PAGE>(page);
    return true;
}
