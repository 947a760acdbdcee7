#pragma once
#include <QEvent>

#include <cstdint>

// A window message (WM_* number with its two parameters) queued to a
// document window and handled on the interface thread.
class CWindowMessageEvent : public QEvent {
public:
    CWindowMessageEvent(uint32_t message, uintptr_t wparam, intptr_t lparam)
        : QEvent(EventType()), Message(message), WParam(wparam), LParam(lparam) {}

    [[nodiscard]] static QEvent::Type EventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    const uint32_t Message;
    const uintptr_t WParam;
    const intptr_t LParam;
};
