#include "shell/ui/CMainStatusBar.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>

#include "resources/CStringTable.h"
#include "resources/StringIds.h"
#include "shell/CChildFrameLayout.h"

namespace {

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

}  // namespace

CMainStatusBar::CMainStatusBar(QStatusBar& bar) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int tenths = CChildFrameLayout::ScaleTenths(screen != nullptr ? qRound(screen->logicalDotsPerInchX()) : 96);
    const int widths[Panes] = {0, 75, 50 + 50 * (tenths - 10) / 10, 0, 0, 0};
    const char* texts[Panes] = {"", "", "", "CAP", "NUM", "SCRL"};
    m_panes.push_back(nullptr);  // pane 0 is the status bar's message area
    for (int pane = 1; pane < Panes; ++pane) {
        auto* label = new QLabel(QString::fromLatin1(texts[pane]), &bar);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        if (widths[pane] > 0) {
            label->setFixedWidth(widths[pane]);
        }
        if (pane >= 3) {
            // The key lock states are not known here: the indicators stay grey.
            label->setEnabled(false);
        }
        bar.addPermanentWidget(label);
        m_panes.push_back(label);
    }
}

QLabel* CMainStatusBar::Pane(int pane) const {
    return pane > 0 && pane < static_cast<int>(m_panes.size()) ? m_panes[static_cast<std::size_t>(pane)] : nullptr;
}

void CMainStatusBar::SetEditStatus(bool editDisabled, bool insertMode) {
    m_panes[1]->setText(editDisabled ? Text(IDS_STATUS_EDIT_DISABLED) : QString());
    m_panes[2]->setText(insertMode ? Text(IDS_STATUS_INSERT) : Text(IDS_STATUS_OVERWRITE));
}
