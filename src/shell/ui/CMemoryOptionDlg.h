#pragma once
#include <QDialog>

#include "shell/CMemoryOption.h"

class CLogicDocument;
class IUserMessages;
class QLineEdit;
class QToolButton;

// Dialog 332, "Sampling Memory Option": the sampling memory in millions of
// words, typed into the edit or stepped with the spin beside it (1 to 100,
// wrapping around at the ends; the arrow keys step too). OK resizes the
// sampling memory when the size changed.
class CMemoryOptionDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int DialogId = 332;
    static constexpr int EditId = 1031;
    static constexpr int SpinId = 1032;

    CMemoryOptionDlg(CLogicDocument& document, IUserMessages& messages, QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* Edit() const { return m_edit; }
    [[nodiscard]] QToolButton* SpinUp() const { return m_up; }
    [[nodiscard]] QToolButton* SpinDown() const { return m_down; }
    [[nodiscard]] const CMemoryOption& Option() const { return m_option; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnEditChanged(const QString& text);
    void StepSpin(int steps);

    CLogicDocument& m_document;
    IUserMessages& m_messages;
    CMemoryOption m_option;
    QLineEdit* m_edit;
    QToolButton* m_up;
    QToolButton* m_down;
};
