#include "graph/ui/CGraphContextMenu.h"

#include <QMenu>

#include "graph/CGraphEditor.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"

void CGraphContextMenu::Show(QWidget* parent, const QPoint& global, const CGraphEditor& editor,
                             const std::function<void(int)>& run) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("Menu%1").arg(MenuId));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const struct {
        int command;
        bool enabled;
    } items[] = {
        {cmd::EditCut, editor.CanEdit()},
        {cmd::EditCopy, true},
        {cmd::EditPaste, editor.CanEdit() && editor.CanPaste()},
    };
    for (const auto& item : items) {
        QAction* action = menu->addAction(QString::fromStdString(LoadText(cmd::MenuTextId(item.command))));
        action->setObjectName(QString::number(item.command));
        action->setEnabled(item.enabled);
        const int command = item.command;
        QObject::connect(action, &QAction::triggered, menu, [run, command] { run(command); });
    }
    menu->popup(global);
}
