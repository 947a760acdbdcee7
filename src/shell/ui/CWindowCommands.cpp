#include "shell/ui/CWindowCommands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CommandIds.h"
#include "signals/ui/CChannelListView.h"
#include "signals/ui/CChannelTreeView.h"

CWindowCommands::CWindowCommands(ICommandHost& host, QMdiArea& mdiArea) : m_host(host), m_mdiArea(mdiArea) {}

void CWindowCommands::Register(ICommandRegistry& registry) {
    registry.AddCommand(cmd::WindowCascade, [this] { m_mdiArea.cascadeSubWindows(); });
    registry.AddCommand(cmd::WindowTileHorizontal, [this] { TileWindows(false); });
    registry.AddCommand(cmd::WindowTileVertical, [this] { TileWindows(true); });
    registry.AddCommand(cmd::NextPane, [this] { MoveFocusToPane(1); });
    registry.AddCommand(cmd::PreviousPane, [this] { MoveFocusToPane(-1); });
}

void CWindowCommands::TileWindows(bool sideBySide) {
    const QList<QMdiSubWindow*> windows = m_mdiArea.subWindowList();
    QList<QMdiSubWindow*> open;
    for (QMdiSubWindow* window : windows) {
        if (window->isVisible()) {
            open << window;
        }
    }
    if (open.isEmpty()) {
        return;
    }
    const QRect area = m_mdiArea.viewport()->rect();
    const int n = static_cast<int>(open.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* window = open[i];
        window->showNormal();
        if (sideBySide) {
            const int width = area.width() / n;
            window->setGeometry(i * width, 0, width, area.height());
        } else {
            const int height = area.height() / n;
            window->setGeometry(0, i * height, area.width(), height);
        }
    }
}

void CWindowCommands::MoveFocusToPane(int step) {
    IDocumentWindow* frame = m_host.ActiveWindow();
    if (frame == nullptr) {
        return;
    }
    const QList<QWidget*> panes = {frame->View(), frame->Tree(), frame->List()};
    int current = 0;
    for (int i = 0; i < panes.size(); ++i) {
        if (panes[i]->hasFocus()) {
            current = i;
        }
    }
    const int next = (current + step + static_cast<int>(panes.size())) % static_cast<int>(panes.size());
    panes[next]->setFocus(Qt::OtherFocusReason);
}
