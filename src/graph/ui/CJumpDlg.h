#pragma once
#include <QDialog>
#include <cstdint>

#include "graph/CIntegerEntry.h"

class IUserMessages;
class QLineEdit;

// Dialog 321, "Inputting Destination" (Edit > Jump > Jump To Specified
// Clock..., Ctrl+J): the absolute clock to move the current position to.
class CJumpDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int DialogId = 321;
    static constexpr int EditId = 1004;

    explicit CJumpDlg(IUserMessages& messages, QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* Edit() const { return m_edit; }
    // The accepted destination (absolute clock).
    [[nodiscard]] uint32_t Destination() const { return m_destination; }

    void accept() override;

private:
    IUserMessages& m_messages;
    // Digits only: the destination is a non-negative 32-bit integer.
    CIntegerEntry m_entry{0, 2147483647};
    QLineEdit* m_edit;
    uint32_t m_destination = 0;
};
