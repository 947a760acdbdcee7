#pragma once
#include <QStyledItemDelegate>

class CPropertyGridCtrl;

// The typed editors of the property grid's value column: a fixed choice list
// for picked values, an editable one where options are offered but typing is
// allowed, a line edit that takes only a signed decimal number for numbers,
// a folder edit with a browse button for folders and a plain line edit for
// text. A chosen option is committed at once.
class CPropertyGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CPropertyGridDelegate(CPropertyGridCtrl& grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // The value an editor of this delegate holds.
    [[nodiscard]] static QString EditorText(const QWidget* editor);

private:
    QWidget* CreateChoice(QWidget* parent, const QModelIndex& index, bool editable) const;
    void Finish(QWidget* editor) const;

    CPropertyGridCtrl& m_grid;
};
