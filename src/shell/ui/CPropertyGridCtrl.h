#pragma once
#include <QWidget>
#include <vector>

#include "shell/GRID_ITEM.h"

class IFolderChooser;
class QLabel;
class QModelIndex;
class QTreeWidget;
class QTreeWidgetItem;

// A property grid on Qt's item views: groups with their properties as
// sub-items, names on the left and values on the right, a typed editor per
// value, disabled and hidden properties, the changed mark (a value that
// differs from the one it was created with is bold) and the description of
// the current property below. Shown grouped or as one alphabetical list. An
// edited value is reported as PropertyChanged with the property's displayed
// name; the owner shows the grid again with what it made of it.
class CPropertyGridCtrl : public QWidget {
    Q_OBJECT
public:
    static constexpr int NameColumn = 0;
    static constexpr int ValueColumn = 1;
    enum Role { KindRole = 0x0100 + 1, OptionsRole, DescriptionRole };

    explicit CPropertyGridCtrl(QWidget* parent = nullptr);

    void SetFolderChooser(IFolderChooser* chooser) { m_chooser = chooser; }
    [[nodiscard]] IFolderChooser* FolderChooser() const { return m_chooser; }

    // Creates the items of the groups and their properties.
    void BuildGrid(const std::vector<GRID_GROUP>& groups);
    // Values, options, visibility, enabling and changed marks of the groups
    // given to BuildGrid.
    void ShowGrid(const std::vector<GRID_GROUP>& groups);
    [[nodiscard]] bool HasProperties() const { return !m_groupItems.empty(); }

    void ExpandAll();
    void SetAlphabetic(bool alphabetic);
    [[nodiscard]] bool IsAlphabetic() const { return m_alphabetic; }

    [[nodiscard]] QTreeWidget* Tree() const { return m_tree; }
    [[nodiscard]] QLabel* Description() const { return m_description; }
    // The property item of that displayed name; nullptr when there is none.
    [[nodiscard]] QTreeWidgetItem* PropertyItem(const QString& name) const;
    // Opens the value editor of a property.
    void EditProperty(QTreeWidgetItem* item);
    // The value editor open on a property; nullptr when none is.
    [[nodiscard]] QWidget* Editor(QTreeWidgetItem* item) const;
    // An editor's value for the property at `index`: reported when it differs
    // from the value shown (after the editor has closed).
    void CommitValue(const QModelIndex& index, const QString& value);

signals:
    void PropertyChanged(const QString& name, const QString& value);

private:
    void Arrange();
    void ShowDescription(QTreeWidgetItem* item);
    void ShowProperty(QTreeWidgetItem* item, const GRID_ITEM& property, bool groupShown);
    void ShowFlags(QTreeWidgetItem* item, const GRID_ITEM& property);

    QTreeWidget* m_tree;
    QLabel* m_description;
    IFolderChooser* m_chooser = nullptr;
    std::vector<QTreeWidgetItem*> m_groupItems;
    std::vector<std::vector<QTreeWidgetItem*>> m_propertyItems;
    // The groups last shown, so that a new arrangement shows them again.
    std::vector<GRID_GROUP> m_shown;
    bool m_alphabetic = false;
};
