#include "patterns/ui/CSwapDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {
QString Text(int id) { return QString::fromStdString(LoadText(id)); }

QComboBox* SignalCombo(const std::vector<SWAP_ENTRY>& list, int id, int selected, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::number(id));
    for (const SWAP_ENTRY& entry : list) {
        combo->addItem(QString::fromStdString(entry.Text));
    }
    combo->setCurrentIndex(selected < combo->count() ? selected : -1);
    return combo;
}
}  // namespace

CSwapDlg::CSwapDlg(const std::vector<SWAP_ENTRY>& signalList, QWidget* parent)
    : QDialog(parent),
      m_firstList(SignalCombo(signalList, 1005, 0, this)),
      m_secondList(SignalCombo(signalList, 1006, 1, this)) {
    setObjectName(QStringLiteral("Dialog%1").arg(DialogId));
    setWindowTitle(Text(IDS_SWAP_CAPTION));
    m_first = m_firstList->currentIndex();
    m_second = m_secondList->currentIndex();
    connect(m_firstList, &QComboBox::currentIndexChanged, this, [this](int index) { m_first = index; });
    connect(m_secondList, &QComboBox::currentIndexChanged, this, [this](int index) { m_second = index; });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Text(IDS_SWAP_OK), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Text(IDS_SWAP_CANCEL), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* lists = new QHBoxLayout;
    lists->addWidget(m_firstList, 1);
    lists->addWidget(new QLabel(Text(IDS_SWAP_UP_DOWN), this));
    lists->addWidget(m_secondList, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(IDS_SWAP_TEXT_1) + QLatin1Char('\n') + Text(IDS_SWAP_TEXT_2), this));
    layout->addLayout(lists);
    layout->addWidget(buttons);
}

void CSwapDlg::accept() {
    m_first = m_firstList->currentIndex();
    m_second = m_secondList->currentIndex();
    QDialog::accept();
}
