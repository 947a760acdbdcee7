#include "analysis/ui/CBookmarkDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cinttypes>
#include <cstdio>

#include "analysis/ui/CMemoDelegate.h"
#include "graph/CRulerScale.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

constexpr int IdColumn = 0;
constexpr int PositionColumn = 1;
constexpr int MemoColumn = 2;

// The position column: "%d Clock", or "%d mSec" with the same number in the
// time unit; the number as an unsigned 64-bit value so no position shows negative.
QString PositionText(uint64_t position, int graphUnit) {
    char text[48];
    std::snprintf(text, sizeof text, graphUnit == GRAPH_UNIT_TIME ? "%" PRIu64 " mSec" : "%" PRIu64 " Clock", position);
    return QString::fromLatin1(text);
}

}  // namespace

CBookmarkDlg::CBookmarkDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Dialog%1").arg(DialogId));
    setWindowTitle(Text(IDS_BOOKMARK_LIST_CAPTION));
    setModal(false);
    m_list = new QTableWidget(0, 3, this);
    m_list->setObjectName(QString::number(ListId));
    m_list->setHorizontalHeaderLabels({QStringLiteral("Id"), QStringLiteral("Abs Pos"), QStringLiteral("Memo")});
    m_list->verticalHeader()->hide();
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::SelectedClicked);
    m_list->setItemDelegateForColumn(MemoColumn, new CMemoDelegate(
        [this](int row, const QString& text) { OnMemoEdited(row, text); }, m_list));
    m_jump = new QPushButton(Text(IDS_BOOKMARK_JUMP), this);
    m_jump->setObjectName(QString::number(JumpId));
    m_jump->setAutoDefault(false);
    m_autoClose = new QCheckBox(Text(IDS_BOOKMARK_AUTO_CLOSE), this);
    m_autoClose->setObjectName(QString::number(AutoCloseId));
    m_autoClose->setChecked(true);
    auto* ok = new QPushButton(Text(IDS_BOOKMARK_OK), this);
    ok->setObjectName(QString::number(OkId));
    ok->setDefault(true);
    auto* cancel = new QPushButton(Text(IDS_BOOKMARK_CANCEL), this);
    cancel->setObjectName(QString::number(CancelId));
    cancel->setAutoDefault(false);

    auto* side = new QHBoxLayout;
    side->addWidget(m_jump);
    side->addWidget(m_autoClose);
    side->addStretch();
    side->addWidget(ok);
    side->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(side);

    connect(m_jump, &QPushButton::clicked, this, &CBookmarkDlg::Jump);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this] { Jump(); });
    connect(ok, &QPushButton::clicked, this, &CBookmarkDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

void CBookmarkDlg::Refresh(const std::vector<BOOKMARK_DATA>& list, int graphUnit) {
    m_copy = list;
    m_graphUnit = graphUnit;
    FillRows();
}

void CBookmarkDlg::FillRows() {
    m_filling = true;
    m_list->clearContents();
    m_list->setRowCount(static_cast<int>(m_copy.size()));
    for (int row = 0; row < static_cast<int>(m_copy.size()); ++row) {
        const BOOKMARK_DATA& mark = m_copy[static_cast<std::size_t>(row)];
        auto* id = new QTableWidgetItem(QString::number(row));
        auto* position = new QTableWidgetItem(PositionText(mark.BookmarkAbsolutePosition, m_graphUnit));
        auto* memo = new QTableWidgetItem(QString::fromStdString(mark.BookmarkMemo));
        id->setFlags(id->flags() & ~Qt::ItemIsEditable);
        position->setFlags(position->flags() & ~Qt::ItemIsEditable);
        m_list->setItem(row, IdColumn, id);
        m_list->setItem(row, PositionColumn, position);
        m_list->setItem(row, MemoColumn, memo);
    }
    // Every cell of the rows at the current bookmark's position on yellow.
    for (const BOOKMARK_DATA& current : m_copy) {
        if (current.IsCurrentBookmark == 0) {
            continue;
        }
        for (int row = 0; row < static_cast<int>(m_copy.size()); ++row) {
            if (m_copy[static_cast<std::size_t>(row)].BookmarkAbsolutePosition == current.BookmarkAbsolutePosition) {
                for (int column = 0; column < 3; ++column) {
                    m_list->item(row, column)->setBackground(QColor(255, 255, 0));
                }
            }
        }
    }
    m_filling = false;
}

void CBookmarkDlg::OnMemoEdited(int row, const QString& text) {
    if (!m_filling && row >= 0 && row < static_cast<int>(m_copy.size())) {
        m_copy[static_cast<std::size_t>(row)].BookmarkMemo = text.toStdString();
    }
}

void CBookmarkDlg::Open(bool autoClose, const QWidget& mainWindow, float scale) {
    m_autoClose->setChecked(autoClose);
    m_list->setColumnWidth(IdColumn, static_cast<int>(30 * scale));
    m_list->setColumnWidth(PositionColumn, static_cast<int>(100 * scale));
    m_list->setColumnWidth(MemoColumn, static_cast<int>(160 * scale));
    show();
    const QRect main = mainWindow.frameGeometry();
    move(main.left() + 250, main.top() + 150);
    raise();
    activateWindow();
}

bool CBookmarkDlg::AutoClose() const { return m_autoClose->isChecked(); }

void CBookmarkDlg::Jump() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_copy.size()) || m_list->selectedItems().isEmpty()) {
        return;
    }
    emit JumpRequested(m_copy[static_cast<std::size_t>(row)].BookmarkAbsolutePosition);
    if (m_autoClose->isChecked()) {
        hide();
    }
}

void CBookmarkDlg::accept() {
    emit ListAccepted();
    hide();
}
