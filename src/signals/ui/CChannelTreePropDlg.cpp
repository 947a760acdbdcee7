#include "signals/ui/CChannelTreePropDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {
QString Text(int id) { return QString::fromStdString(LoadText(id)); }

QPushButton* Button(int textId, QWidget* parent) {
    auto* button = new QPushButton(Text(textId), parent);
    button->setAutoDefault(false);
    return button;
}
}  // namespace

CChannelTreePropDlg::CChannelTreePropDlg(const CChannelTable& table, IUserMessages* messages, QWidget* parent)
    : QDialog(parent), m_properties(table), m_messages(messages) {
    setWindowTitle(Text(IDS_SIGNAL_PROPS_CAPTION));
    m_list = new QTableWidget(0, 2, this);
    m_list->setObjectName("1006");
    m_list->setHorizontalHeaderLabels({"Name", "Channel"});
    m_list->verticalHeader()->hide();
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::SelectedClicked);
    m_list->setShowGrid(true);
    m_list->setColumnWidth(0, NameWidth);
    m_list->setColumnWidth(1, ChannelWidth);
    m_up = Button(IDS_SIGNAL_PROPS_UP, this);
    m_down = Button(IDS_SIGNAL_PROPS_DOWN, this);
    m_ok = Button(IDS_SIGNAL_PROPS_OK, this);
    m_cancel = Button(IDS_SIGNAL_PROPS_CANCEL, this);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_ok, m_cancel, m_up, m_down}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(IDS_SIGNAL_PROPS_TEXT), this));
    layout->addLayout(body);
    resize(NameWidth + ChannelWidth + 140, 420);

    connect(m_up, &QPushButton::clicked, this, &CChannelTreePropDlg::OnUp);
    connect(m_down, &QPushButton::clicked, this, &CChannelTreePropDlg::OnDown);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTableWidget::cellChanged, this, &CChannelTreePropDlg::OnNameEdited);
    FillList();
}

void CChannelTreePropDlg::FillList() {
    m_filling = true;
    m_list->setRowCount(m_properties.Count());
    for (int entry = 0; entry < m_properties.Count(); ++entry) {
        m_list->setItem(entry, 0, new QTableWidgetItem);
        auto* channel = new QTableWidgetItem;
        channel->setFlags(channel->flags() & ~Qt::ItemIsEditable);
        m_list->setItem(entry, 1, channel);
        ShowEntry(entry);
    }
    m_filling = false;
}

void CChannelTreePropDlg::ShowEntry(int entry) {
    const bool filling = m_filling;
    m_filling = true;
    m_list->item(entry, 0)->setText(QString::fromStdString(m_properties.Name(entry)));
    m_list->item(entry, 1)->setText(QString::number(m_properties.Channel(entry)));
    m_filling = filling;
}

void CChannelTreePropDlg::SelectEntry(int entry) {
    m_list->selectRow(entry);
    m_list->setCurrentCell(entry, 0);
    m_list->setFocus(Qt::OtherFocusReason);
}

void CChannelTreePropDlg::OnNameEdited(int row, int column) {
    if (m_filling || column != 0) {
        return;
    }
    // A refused name is told and the cell shows the entry's name again.
    (void)m_properties.Rename(row, m_list->item(row, 0)->text().toStdString(), m_messages);
    ShowEntry(row);
}

void CChannelTreePropDlg::OnUp() {
    const int entry = m_list->selectionModel()->hasSelection() ? m_list->currentRow() : -1;
    const int moved = m_properties.Up(entry);
    if (moved >= 0) {
        ShowEntry(entry);
        ShowEntry(moved);
        SelectEntry(moved);
    }
}

void CChannelTreePropDlg::OnDown() {
    const int entry = m_list->selectionModel()->hasSelection() ? m_list->currentRow() : -1;
    const int moved = m_properties.Down(entry);
    if (moved >= 0) {
        ShowEntry(entry);
        ShowEntry(moved);
        SelectEntry(moved);
    }
}

void CChannelTreePropDlg::keyPressEvent(QKeyEvent* event) {
    // Enter does not close the dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
