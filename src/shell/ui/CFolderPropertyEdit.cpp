#include "shell/ui/CFolderPropertyEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

#include "shell/IFolderChooser.h"

CFolderPropertyEdit::CFolderPropertyEdit(IFolderChooser* chooser, QWidget* parent)
    : QWidget(parent), m_chooser(chooser), m_edit(new QLineEdit(this)), m_browse(new QToolButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_edit->setFrame(false);
    m_browse->setText(QStringLiteral("..."));
    m_browse->setEnabled(m_chooser != nullptr);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_browse);
    setFocusProxy(m_edit);
    connect(m_browse, &QToolButton::clicked, this, &CFolderPropertyEdit::Browse);
}

QString CFolderPropertyEdit::Text() const { return m_edit->text(); }

void CFolderPropertyEdit::SetText(const QString& text) { m_edit->setText(text); }

void CFolderPropertyEdit::Browse() {
    if (m_chooser == nullptr) {
        return;
    }
    if (const auto folder = m_chooser->ChooseFolder(m_edit->text().toStdString())) {
        m_edit->setText(QString::fromStdString(*folder));
        emit Chosen();
    }
}
