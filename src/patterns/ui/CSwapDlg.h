#pragma once
#include <QDialog>
#include <vector>

#include "patterns/CChannelSwap.h"

class QComboBox;

// Dialog 322, "Swap": two lists of the generating table's signals, the first
// on entry 0 and the second on entry 1. The chosen indexes (-1 for none) are
// kept as the lists change and again on OK.
class CSwapDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int DialogId = 322;
    CSwapDlg(const std::vector<SWAP_ENTRY>& signalList, QWidget* parent = nullptr);

    [[nodiscard]] int First() const { return m_first; }
    [[nodiscard]] int Second() const { return m_second; }
    [[nodiscard]] QComboBox* FirstList() const { return m_firstList; }
    [[nodiscard]] QComboBox* SecondList() const { return m_secondList; }

    void accept() override;

private:
    QComboBox* m_firstList;
    QComboBox* m_secondList;
    int m_first = -1;
    int m_second = -1;
};
