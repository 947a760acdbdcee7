#include "shell/ui/CPropertyGridDelegate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "shell/GRID_ITEM.h"
#include "shell/ui/CFolderPropertyEdit.h"
#include "shell/ui/CPropertyGridCtrl.h"

CPropertyGridDelegate::CPropertyGridDelegate(CPropertyGridCtrl& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

QWidget* CPropertyGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                             const QModelIndex& index) const {
    if (index.column() != CPropertyGridCtrl::ValueColumn) {
        return nullptr;
    }
    const auto kind = static_cast<GridValueKind>(index.data(CPropertyGridCtrl::KindRole).toInt());
    switch (kind) {
    case GridValueKind::Pick: return CreateChoice(parent, index, false);
    case GridValueKind::TextWithOptions: return CreateChoice(parent, index, true);
    case GridValueKind::Folder: {
        auto* edit = new CFolderPropertyEdit(m_grid.FolderChooser(), parent);
        connect(edit, &CFolderPropertyEdit::Chosen, this, [this, edit] { Finish(edit); });
        return edit;
    }
    case GridValueKind::Unsigned32:
    case GridValueKind::Signed32:
    case GridValueKind::Signed16: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        // Only a decimal number gets in; the condition's rules limit it.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*[+-]?\\d*")), edit));
        return edit;
    }
    default: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        return edit;
    }
    }
}

QWidget* CPropertyGridDelegate::CreateChoice(QWidget* parent, const QModelIndex& index, bool editable) const {
    auto* box = new QComboBox(parent);
    box->setEditable(editable);
    box->addItems(index.data(CPropertyGridCtrl::OptionsRole).toStringList());
    connect(box, &QComboBox::activated, this, [this, box] { Finish(box); });
    return box;
}

void CPropertyGridDelegate::Finish(QWidget* editor) const {
    auto* self = const_cast<CPropertyGridDelegate*>(this);
    emit self->commitData(editor);
    emit self->closeEditor(editor);
}

void CPropertyGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString value = index.data(Qt::DisplayRole).toString();
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        const int found = box->findText(value);
        box->setCurrentIndex(found);
        if (box->isEditable()) {
            box->setEditText(value);
        }
    } else if (auto* folder = qobject_cast<CFolderPropertyEdit*>(editor)) {
        folder->SetText(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(value);
    }
}

void CPropertyGridDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    // The grid is shown again from the document: the value is not written
    // into the item here.
    m_grid.CommitValue(index, EditorText(editor));
}

QString CPropertyGridDelegate::EditorText(const QWidget* editor) {
    if (const auto* box = qobject_cast<const QComboBox*>(editor)) {
        return box->isEditable() ? box->currentText() : box->itemText(box->currentIndex());
    }
    if (const auto* folder = qobject_cast<const CFolderPropertyEdit*>(editor)) {
        return folder->Text();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor)) {
        return edit->text();
    }
    return {};
}
