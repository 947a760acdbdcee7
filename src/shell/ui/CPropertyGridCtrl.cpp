#include "shell/ui/CPropertyGridCtrl.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "resources/CStringTable.h"
#include "shell/ui/CPropertyGridDelegate.h"

namespace {

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

QStringList OptionTexts(const std::vector<int>& ids) {
    QStringList texts;
    for (int id : ids) {
        texts << Text(id);
    }
    return texts;
}

void SetBold(QTreeWidgetItem* item, bool bold) {
    for (int column : {CPropertyGridCtrl::NameColumn, CPropertyGridCtrl::ValueColumn}) {
        QFont font = item->font(column);
        if (font.bold() != bold) {
            font.setBold(bold);
            item->setFont(column, font);
        }
    }
}

}  // namespace

CPropertyGridCtrl::CPropertyGridCtrl(QWidget* parent)
    : QWidget(parent), m_tree(new QTreeWidget(this)), m_description(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_tree->setObjectName("PropertyGrid");
    m_tree->setColumnCount(2);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setAlternatingRowColors(false);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setItemDelegate(new CPropertyGridDelegate(*this));
    m_tree->header()->setSectionResizeMode(NameColumn, QHeaderView::Interactive);
    m_tree->header()->setStretchLastSection(true);
    m_tree->setColumnWidth(NameColumn, 150);
    m_description->setObjectName("PropertyDescription");
    m_description->setWordWrap(true);
    m_description->setFrameShape(QFrame::StyledPanel);
    m_description->setMinimumHeight(48);
    m_description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_description);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { EditProperty(item); });
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { EditProperty(item); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { ShowDescription(item); });
}

void CPropertyGridCtrl::BuildGrid(const std::vector<GRID_GROUP>& groups) {
    m_tree->clear();
    m_groupItems.clear();
    m_propertyItems.clear();
    for (const GRID_GROUP& group : groups) {
        auto* groupItem = new QTreeWidgetItem(QStringList{Text(group.NameId)});
        groupItem->setFlags(Qt::ItemIsEnabled);
        QFont font = groupItem->font(NameColumn);
        font.setBold(true);
        groupItem->setFont(NameColumn, font);
        groupItem->setBackground(NameColumn, palette().window());
        m_groupItems.push_back(groupItem);
        std::vector<QTreeWidgetItem*> items;
        for (const GRID_ITEM& property : group.Items) {
            auto* item = new QTreeWidgetItem(QStringList{Text(property.NameId), QString()});
            item->setData(ValueColumn, KindRole, static_cast<int>(property.Kind));
            item->setData(ValueColumn, DescriptionRole, Text(property.DescriptionId));
            items.push_back(item);
        }
        m_propertyItems.push_back(std::move(items));
    }
    Arrange();
    ShowGrid(groups);
    ExpandAll();
}

void CPropertyGridCtrl::ShowGrid(const std::vector<GRID_GROUP>& groups) {
    if (&groups != &m_shown) {
        m_shown = groups;
    }
    const std::size_t count = std::min(groups.size(), m_groupItems.size());
    for (std::size_t g = 0; g < count; ++g) {
        m_groupItems[g]->setHidden(!groups[g].Shown);
        const std::size_t items = std::min(groups[g].Items.size(), m_propertyItems[g].size());
        for (std::size_t i = 0; i < items; ++i) {
            ShowProperty(m_propertyItems[g][i], groups[g].Items[i], groups[g].Shown);
        }
    }
}

void CPropertyGridCtrl::ShowProperty(QTreeWidgetItem* item, const GRID_ITEM& property, bool groupShown) {
    const QString value = QString::fromStdString(property.Value);
    if (item->text(ValueColumn) != value) {
        item->setText(ValueColumn, value);
    }
    ShowFlags(item, property);
    // Only the start condition's options change (with the direction).
    if (item->data(ValueColumn, OptionsRole).toStringList().size() != static_cast<int>(property.OptionIds.size())) {
        item->setData(ValueColumn, OptionsRole, OptionTexts(property.OptionIds));
    }
    item->setHidden(!groupShown || !property.Shown);
    SetBold(item, property.Changed());
}

void CPropertyGridCtrl::ShowFlags(QTreeWidgetItem* item, const GRID_ITEM& property) {
    Qt::ItemFlags flags = Qt::ItemIsSelectable;
    if (property.Enabled) {
        flags |= Qt::ItemIsEnabled | Qt::ItemIsEditable;
    }
    if (item->flags() != flags) {
        item->setFlags(flags);
    }
}

void CPropertyGridCtrl::Arrange() {
    for (std::size_t g = 0; g < m_groupItems.size(); ++g) {
        for (QTreeWidgetItem* item : m_propertyItems[g]) {
            if (QTreeWidgetItem* parent = item->parent()) {
                parent->removeChild(item);
            } else if (const int top = m_tree->indexOfTopLevelItem(item); top >= 0) {
                m_tree->takeTopLevelItem(top);
            }
        }
        if (const int top = m_tree->indexOfTopLevelItem(m_groupItems[g]); top >= 0) {
            m_tree->takeTopLevelItem(top);
        }
    }
    if (m_alphabetic) {
        std::vector<QTreeWidgetItem*> all;
        for (const auto& items : m_propertyItems) {
            all.insert(all.end(), items.begin(), items.end());
        }
        std::stable_sort(all.begin(), all.end(), [](QTreeWidgetItem* a, QTreeWidgetItem* b) {
            return QString::localeAwareCompare(a->text(NameColumn), b->text(NameColumn)) < 0;
        });
        for (QTreeWidgetItem* item : all) {
            m_tree->addTopLevelItem(item);
        }
        return;
    }
    for (std::size_t g = 0; g < m_groupItems.size(); ++g) {
        m_tree->addTopLevelItem(m_groupItems[g]);
        m_groupItems[g]->setFirstColumnSpanned(true);
        for (QTreeWidgetItem* item : m_propertyItems[g]) {
            m_groupItems[g]->addChild(item);
        }
    }
    ExpandAll();
}

void CPropertyGridCtrl::ExpandAll() { m_tree->expandAll(); }

void CPropertyGridCtrl::SetAlphabetic(bool alphabetic) {
    if (alphabetic == m_alphabetic) {
        return;
    }
    m_alphabetic = alphabetic;
    // Items taken out of the view lose their hidden state: show them again.
    Arrange();
    ShowGrid(m_shown);
}

QTreeWidgetItem* CPropertyGridCtrl::PropertyItem(const QString& name) const {
    for (const auto& items : m_propertyItems) {
        for (QTreeWidgetItem* item : items) {
            if (item->text(NameColumn) == name) {
                return item;
            }
        }
    }
    return nullptr;
}

void CPropertyGridCtrl::EditProperty(QTreeWidgetItem* item) {
    if (item == nullptr || !(item->flags() & Qt::ItemIsEditable) || !isEnabled()) {
        return;
    }
    m_tree->setCurrentItem(item, ValueColumn);
    m_tree->editItem(item, ValueColumn);
}

QWidget* CPropertyGridCtrl::Editor(QTreeWidgetItem* item) const {
    return item != nullptr ? m_tree->indexWidget(m_tree->indexFromItem(item, ValueColumn)) : nullptr;
}

void CPropertyGridCtrl::CommitValue(const QModelIndex& index, const QString& value) {
    const QTreeWidgetItem* item = m_tree->itemFromIndex(index);
    if (item == nullptr || item->text(ValueColumn) == value) {
        return;
    }
    const QString name = item->text(NameColumn);
    // Reported after the editor has closed: the owner may ask a question
    // and shows the whole grid again.
    QMetaObject::invokeMethod(this, [this, name, value] { emit PropertyChanged(name, value); }, Qt::QueuedConnection);
}

void CPropertyGridCtrl::ShowDescription(QTreeWidgetItem* item) {
    if (item == nullptr || (item->parent() == nullptr && !m_alphabetic)) {
        m_description->clear();
        return;
    }
    m_description->setText(QStringLiteral("<b>%1</b><br>%2")
                               .arg(item->text(NameColumn).toHtmlEscaped(),
                                    item->data(ValueColumn, DescriptionRole).toString().toHtmlEscaped()));
}
