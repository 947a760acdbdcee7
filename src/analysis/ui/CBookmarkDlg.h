#pragma once
#include <QDialog>
#include <cstdint>
#include <vector>

#include "document/BOOKMARK_DATA.h"
#include "graph/CRulerScale.h"

class QCheckBox;
class QPushButton;
class QTableWidget;

// Dialog 328, "Bookmark List": modeless, created hidden with the main window.
// It keeps a copy of the current list, shows one row per bookmark ("Id",
// "Abs Pos", "Memo") with the current one on yellow, edits memos in place,
// and asks the main window to jump (JumpRequested) or to write the copy back
// (ListAccepted, then hidden). Cancel hides it; the next refresh drops edits.
class CBookmarkDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int DialogId = 328;
    static constexpr int ListId = 1029;
    static constexpr int JumpId = 1036;
    static constexpr int AutoCloseId = 1037;
    static constexpr int OkId = 1;
    static constexpr int CancelId = 2;

    explicit CBookmarkDlg(QWidget* parent);

    // The copy of the list and the unit of the position column (0 clock, 1 time).
    void Refresh(const std::vector<BOOKMARK_DATA>& list, int graphUnit);
    void Refresh(const std::vector<BOOKMARK_DATA>& list) { Refresh(list, m_graphUnit); }
    [[nodiscard]] const std::vector<BOOKMARK_DATA>& Copy() const { return m_copy; }
    // Shows the dialog at the main window's left + 250, top + 150.
    void Open(bool autoClose, const QWidget& mainWindow, float scale);
    [[nodiscard]] bool AutoClose() const;

    [[nodiscard]] QTableWidget* List() const { return m_list; }
    [[nodiscard]] QPushButton* JumpButton() const { return m_jump; }
    [[nodiscard]] QCheckBox* AutoCloseBox() const { return m_autoClose; }

    void accept() override;

signals:
    void JumpRequested(uint64_t position);  // WM_BOOKMARK_JUMP
    void ListAccepted();                    // WM_BOOKMARK_LIST_OK

private:
    void Jump();
    void FillRows();
    void OnMemoEdited(int row, const QString& text);

    std::vector<BOOKMARK_DATA> m_copy;
    int m_graphUnit = GRAPH_UNIT_CLOCK;
    QTableWidget* m_list = nullptr;
    QPushButton* m_jump = nullptr;
    QCheckBox* m_autoClose = nullptr;
    bool m_filling = false;
};
