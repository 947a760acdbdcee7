#include "shell/ui/CMemoryOptionDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "document/CLogicDocument.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

QToolButton* SpinButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFixedSize(16, 11);
    return button;
}

}  // namespace

CMemoryOptionDlg::CMemoryOptionDlg(CLogicDocument& document, IUserMessages& messages, QWidget* parent)
    : QDialog(parent),
      m_document(document),
      m_messages(messages),
      m_option(document.Condition().SamplingBufferSize),
      m_edit(new QLineEdit(this)),
      m_up(SpinButton(Qt::UpArrow, this)),
      m_down(SpinButton(Qt::DownArrow, this)) {
    setObjectName(QStringLiteral("Dialog%1").arg(DialogId));
    setWindowTitle(Text(IDS_MEMORY_OPTION_CAPTION));
    m_edit->setObjectName(QString::number(EditId));
    m_up->setObjectName(QStringLiteral("%1Up").arg(SpinId));
    m_down->setObjectName(QStringLiteral("%1Down").arg(SpinId));
    m_edit->setFixedWidth(60);
    m_edit->installEventFilter(this);

    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(m_up);
    spin->addWidget(m_down);
    auto* row = new QGridLayout;
    row->addWidget(new QLabel(Text(IDS_MEMORY_OPTION_SIZE_LABEL), this), 0, 0, 1, 3);
    row->addWidget(m_edit, 1, 0);
    row->addLayout(spin, 1, 1);
    row->addWidget(new QLabel(Text(IDS_MEMORY_OPTION_UNIT_LABEL), this), 1, 2);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Text(IDS_MEMORY_OPTION_OK), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Text(IDS_MEMORY_OPTION_CANCEL), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_edit, &QLineEdit::textChanged, this, &CMemoryOptionDlg::OnEditChanged);
    connect(m_up, &QToolButton::clicked, this, [this] { StepSpin(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { StepSpin(-1); });
    m_edit->setText(QString::fromStdString(m_option.EditText()));
}

void CMemoryOptionDlg::OnEditChanged(const QString& text) {
    if (!m_option.OnEditChanged(text.toStdString())) {
        // The spin goes to its fallback position and writes it into the edit.
        m_edit->setText(QString::fromStdString(m_option.EditText()));
    }
}

void CMemoryOptionDlg::StepSpin(int steps) {
    m_option.Step(steps);
    m_edit->setText(QString::fromStdString(m_option.EditText()));
}

bool CMemoryOptionDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepSpin(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CMemoryOptionDlg::accept() {
    // Refused while the document runs: the memory is the run's buffer then.
    (void)m_option.Apply(m_document, m_messages);
    QDialog::accept();
}
