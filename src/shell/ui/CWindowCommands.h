#pragma once
#include "document/ICommandModule.h"

class ICommandHost;
class QMdiArea;

// How the document windows are arranged (Cascade, Tile) and the pane keys
// (F6, Shift+F6) that move the focus between graph, tree and list.
class CWindowCommands final : public ICommandModule {
public:
    CWindowCommands(ICommandHost& host, QMdiArea& mdiArea);

    void Register(ICommandRegistry& registry) override;

private:
    void TileWindows(bool sideBySide);
    void MoveFocusToPane(int step);

    ICommandHost& m_host;
    QMdiArea& m_mdiArea;
};
