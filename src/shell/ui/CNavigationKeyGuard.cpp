#include "shell/ui/CNavigationKeyGuard.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace {

bool IsNavigationKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers others = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (others != Qt::NoModifier) {
        return false;
    }
    switch (key.key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool CNavigationKeyGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && qobject_cast<QAbstractItemView*>(watched) != nullptr &&
        IsNavigationKey(*static_cast<QKeyEvent*>(event))) {
        // Accepting the override sends the key to the focused view as a key press.
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
