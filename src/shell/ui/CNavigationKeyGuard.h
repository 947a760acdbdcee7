#pragma once
#include <QObject>

// Home, End, Page Up and Page Down (with or without Shift) are the menu
// shortcuts of the graph's jump and expand-selection commands. While a list
// or tree has the keyboard focus (the signal tree, the channel value list)
// these keys belong to it: the guard lets the focused view take them
// instead of the menu.
class CNavigationKeyGuard : public QObject {
    Q_OBJECT
public:
    explicit CNavigationKeyGuard(QObject* parent = nullptr) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
