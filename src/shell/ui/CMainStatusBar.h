#pragma once
#include <vector>

class QLabel;
class QStatusBar;

// The six panes of the main window's status bar: pane 0 is the message area,
// pane 1 shows "Edit disabled", pane 2 insert or overwrite, panes 3 to 5 the
// key lock indicators.
class CMainStatusBar {
public:
    static constexpr int Panes = 6;

    // Adds panes 1 to 5 to `bar`, their widths scaled by the screen.
    explicit CMainStatusBar(QStatusBar& bar);

    // Panes 1 to 5; nullptr for any other number.
    [[nodiscard]] QLabel* Pane(int pane) const;
    void SetEditStatus(bool editDisabled, bool insertMode);

private:
    std::vector<QLabel*> m_panes;
};
