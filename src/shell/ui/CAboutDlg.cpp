#include "shell/ui/CAboutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "resources/CStringTable.h"
#include "resources/ui/CIconLibrary.h"

namespace {

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_version(new QLabel(Text(IDS_ABOUT_VERSION), this)) {
    setObjectName(QStringLiteral("Dialog%1").arg(DialogId));
    setWindowTitle(Text(IDS_ABOUT_CAPTION));
    m_version->setObjectName(QString::number(VersionId));
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    QIcon appIcon = CIconLibrary::Load(AppIcon);
    if (appIcon.isNull()) {
        appIcon = QApplication::windowIcon();
    }
    icon->setPixmap(appIcon.pixmap(32, 32));
    auto* texts = new QVBoxLayout;
    texts->addWidget(new QLabel(Text(IDS_ABOUT_NAME), this));
    texts->addWidget(new QLabel(Text(IDS_ABOUT_NOTICE), this));
    texts->addWidget(m_version);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(Text(IDS_ABOUT_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}
