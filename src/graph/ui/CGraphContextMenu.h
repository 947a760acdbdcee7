#pragma once
#include <QPoint>
#include <functional>

class CGraphEditor;
class QWidget;

// Menu 119, the graph's context menu: Cut, Copy and Paste, enabled as the
// Edit menu enables them. Choosing one runs its command.
class CGraphContextMenu {
public:
    static constexpr int MenuId = 119;

    // Opens the menu at a screen point; it closes and deletes itself.
    static void Show(QWidget* parent, const QPoint& global, const CGraphEditor& editor,
                     const std::function<void(int)>& run);
};
