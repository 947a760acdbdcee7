#pragma once
#include <QStyledItemDelegate>
#include <functional>

// Edits a memo cell of the bookmark list in place: the list's font, all text
// selected, every change written at once (to the cell and through `edited`),
// the box widened to its text plus 5 pixels up to the list's width, and a
// memo a pulse text file could not hold (over 255 bytes, ",", CR, LF)
// refused as it is typed. Enter, Esc and a loss of focus end the editing.
class CMemoDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using EDITED = std::function<void(int row, const QString& text)>;
    CMemoDelegate(EDITED edited, QObject* parent) : QStyledItemDelegate(parent), m_edited(std::move(edited)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

private:
    EDITED m_edited;
};
