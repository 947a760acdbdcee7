#pragma once
#include <QDialog>
#include <QString>

class IUserMessages;
class QComboBox;
class QFormLayout;
class QLineEdit;

// What the three pattern dialogs share: a "Channel:" edit, rows of further
// fields, and "Create" / "Cancel". Create reads every field as the core reads
// typed counts and keeps the dialog open with the integer-range message while
// the channel (or, for a clock, the period) is not acceptable.
class CPatternDlgBase : public QDialog {
    Q_OBJECT
public:
    [[nodiscard]] QLineEdit* ChannelEdit() const { return m_channel; }
    [[nodiscard]] uint32_t Channel() const;

    void accept() override;

protected:
    CPatternDlgBase(int dialogId, int captionId, int channelId, int initialChannel, IUserMessages& messages,
                    QWidget* parent);
    // Adds a labelled edit or "0" / "1" list with the id as its object name.
    QLineEdit* AddEdit(int labelId, int controlId, const QString& initial);
    QComboBox* AddLevelList(int labelId, int controlId);
    // A further check after the channel's: the message, or "" when acceptable.
    [[nodiscard]] virtual std::string ExtraProblem() const { return {}; }
    [[nodiscard]] static uint32_t NumberOf(const QLineEdit* edit);

private:
    IUserMessages& m_messages;
    QFormLayout* m_form;
    QLineEdit* m_channel;
};
