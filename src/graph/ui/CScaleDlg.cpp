#include "graph/ui/CScaleDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "document/IUserMessages.h"
#include "resources/CStringTable.h"

namespace {

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

}  // namespace

CScaleDlg::CScaleDlg(double zoom, IUserMessages& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_edit(new QLineEdit(this)), m_percent(static_cast<int32_t>(zoom * 100)) {
    setObjectName(QStringLiteral("Dialog%1").arg(DialogId));
    setWindowTitle(Text(IDS_SCALE_CAPTION));
    m_edit->setObjectName(QString::number(EditId));
    // The field takes digits only.
    m_edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_edit));
    m_edit->setText(QString::number(m_percent));
    m_edit->selectAll();

    auto* field = new QHBoxLayout;
    field->addWidget(m_edit);
    field->addWidget(new QLabel(Text(IDS_SCALE_RANGE), this));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Text(IDS_SCALE_OK), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Text(IDS_SCALE_CANCEL), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(IDS_SCALE_PROMPT), this));
    layout->addLayout(field);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CScaleDlg::accept() {
    int32_t value = 0;
    const CIntegerEntry::CHECK check = m_entry.Check(m_edit->text().toStdString(), value);
    if (check != CIntegerEntry::CHECK::Valid) {
        m_messages.ShowMessage(m_entry.Message(check), MessageIcon::Warning);
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_percent = value;
    QDialog::accept();
}
