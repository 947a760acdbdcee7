#include "patterns/ui/CPatternDlgBase.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/IUserMessages.h"
#include "patterns/CPatternEntry.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {
QString Text(int id) { return QString::fromStdString(LoadText(id)); }
}  // namespace

CPatternDlgBase::CPatternDlgBase(int dialogId, int captionId, int channelId, int initialChannel,
                                 IUserMessages& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_form(new QFormLayout) {
    setObjectName(QStringLiteral("Dialog%1").arg(dialogId));
    setWindowTitle(Text(captionId));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Text(IDS_PATTERN_CREATE), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Text(IDS_PATTERN_CANCEL), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(buttons);
    m_channel = AddEdit(IDS_PATTERN_CHANNEL, channelId, QString::number(initialChannel));
}

QLineEdit* CPatternDlgBase::AddEdit(int labelId, int controlId, const QString& initial) {
    auto* edit = new QLineEdit(initial, this);
    edit->setObjectName(QString::number(controlId));
    m_form->addRow(Text(labelId), edit);
    return edit;
}

QComboBox* CPatternDlgBase::AddLevelList(int labelId, int controlId) {
    auto* list = new QComboBox(this);
    list->setObjectName(QString::number(controlId));
    list->addItems({QStringLiteral("0"), QStringLiteral("1")});
    list->setCurrentIndex(0);
    m_form->addRow(Text(labelId), list);
    return list;
}

uint32_t CPatternDlgBase::NumberOf(const QLineEdit* edit) {
    return CPatternEntry::Number(edit->text().trimmed().toStdString());
}

uint32_t CPatternDlgBase::Channel() const { return NumberOf(m_channel); }

void CPatternDlgBase::accept() {
    std::string problem = CPatternEntry::ChannelProblem(Channel());
    if (problem.empty()) {
        problem = ExtraProblem();
    }
    if (!problem.empty()) {
        m_messages.ShowMessage(problem, MessageIcon::Warning);
        m_channel->setFocus();
        return;
    }
    QDialog::accept();
}
