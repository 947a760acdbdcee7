#pragma once
#include <QDialog>
#include <cstdint>

#include "graph/CIntegerEntry.h"

class IUserMessages;
class QLineEdit;

// Dialog 320, "Inputting Scale" (View > Scale > Any Scale...): the scale of
// the clock axis in percent, 1 to 10000. OK with any other entry shows the
// integer or range message and keeps the dialog open.
class CScaleDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int DialogId = 320;
    static constexpr int EditId = 1000;
    static constexpr int Minimum = 1;
    static constexpr int Maximum = 10000;

    // Starts with the zoom factor as a whole percent (truncated).
    CScaleDlg(double zoom, IUserMessages& messages, QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* Edit() const { return m_edit; }
    // The accepted percent; the zoom becomes Percent() / 100.
    [[nodiscard]] int32_t Percent() const { return m_percent; }

    void accept() override;

private:
    IUserMessages& m_messages;
    CIntegerEntry m_entry{Minimum, Maximum};
    QLineEdit* m_edit;
    int32_t m_percent;
};
