#include "analysis/ui/CMemoDelegate.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QValidator>

#include "analysis/CBookmarkCommands.h"

namespace {

// Accepts only memos a pulse text file row can hold.
class CMemoValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return CBookmarkCommands::MemoFits(input.toStdString()) ? Acceptable : Invalid;
    }
};

// Text width plus 5 pixels, at least the cell's, at most the list's.
void FitWidth(QLineEdit& edit, int cellWidth) {
    const auto* view = qobject_cast<const QAbstractItemView*>(edit.parentWidget()->parentWidget());
    const int limit = view != nullptr ? view->viewport()->width() - edit.x() : edit.width();
    const int wanted = edit.fontMetrics().horizontalAdvance(edit.text()) + 5;
    edit.resize(std::max(cellWidth, std::min(wanted, std::max(cellWidth, limit))), edit.height());
}

}  // namespace

QWidget* CMemoDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("MemoEdit"));
    edit->setFont(option.font);
    edit->setFrame(true);
    edit->setValidator(new CMemoValidator(edit));
    const int row = index.row();
    const int cellWidth = option.rect.width();
    QAbstractItemModel* model = const_cast<QAbstractItemModel*>(index.model());
    connect(edit, &QLineEdit::textEdited, edit, [this, edit, model, index, row, cellWidth](const QString& text) {
        model->setData(index, text);
        m_edited(row, text);
        FitWidth(*edit, cellWidth);
    });
    return edit;
}

void CMemoDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // Each change is written to the cell at once, which hands it back here:
    // only a text the editor does not already show replaces its own.
    auto* edit = static_cast<QLineEdit*>(editor);
    const QString text = index.data().toString();
    if (edit->text() != text) {
        edit->setText(text);
        edit->selectAll();
    }
}

void CMemoDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    const QString text = static_cast<QLineEdit*>(editor)->text();
    model->setData(index, text);
    m_edited(index.row(), text);
}

void CMemoDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                         const QModelIndex&) const {
    editor->setGeometry(option.rect);
    FitWidth(*static_cast<QLineEdit*>(editor), option.rect.width());
}
