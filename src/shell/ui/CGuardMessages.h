#pragma once
#include <QObject>

#include <functional>
#include <string>

#include "document/IUserMessages.h"

// The messages of the guard around every event the application delivers.
// At most one guard message is up at a time: a handler that fails again
// inside that box's own event loop (a timer, a repaint) ends silently instead
// of stacking boxes. A failure while painting shows its message after the
// paint, never inside it.
class CGuardMessages final : public IUserMessages {
public:
    // `target` gives the messages to show with (the main window's, a test's
    // or the standard message boxes) at the time of showing.
    explicit CGuardMessages(std::function<IUserMessages*()> target) : m_target(std::move(target)) {}

    [[nodiscard]] bool Deferred() const { return m_deferred; }
    void SetDeferred(bool deferred) { m_deferred = deferred; }

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    [[nodiscard]] MessageAnswer AskYesNo(const std::string& text, MessageIcon icon) override;
    [[nodiscard]] MessageAnswer AskYesNoCancel(const std::string& text, MessageIcon icon) override;

private:
    void Show(const std::string& text, MessageIcon icon);

    std::function<IUserMessages*()> m_target;
    bool m_deferred = false;
    bool m_up = false;
    bool m_pending = false;
    // Owns the deferred showing, so it goes with this object.
    QObject m_context;
};
