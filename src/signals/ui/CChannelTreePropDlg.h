#pragma once
#include <QDialog>

#include "signals/CChannelTreeProperties.h"

class CChannelTable;
class IUserMessages;
class QPushButton;
class QTableWidget;

// Dialog 323 "Signal Name Window Properties": the names and channel numbers
// of every row of the current direction's table, in table order. Names are
// edited in place; Up and Down move the selected entry. The caller applies
// the result on OK.
class CChannelTreePropDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int NameWidth = 200;
    static constexpr int ChannelWidth = 100;

    CChannelTreePropDlg(const CChannelTable& table, IUserMessages* messages, QWidget* parent = nullptr);

    [[nodiscard]] const CChannelTreeProperties& Properties() const { return m_properties; }
    [[nodiscard]] QTableWidget* List() const { return m_list; }
    [[nodiscard]] QPushButton* UpButton() const { return m_up; }
    [[nodiscard]] QPushButton* DownButton() const { return m_down; }
    [[nodiscard]] QPushButton* OkButton() const { return m_ok; }
    [[nodiscard]] QPushButton* CancelButton() const { return m_cancel; }

    void OnUp();
    void OnDown();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FillList();
    void ShowEntry(int entry);
    void SelectEntry(int entry);
    void OnNameEdited(int row, int column);

    CChannelTreeProperties m_properties;
    IUserMessages* m_messages;
    QTableWidget* m_list = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_filling = false;
};
