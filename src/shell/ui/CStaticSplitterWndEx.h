#pragma once
#include <QSplitter>

// A splitter whose bars can be locked: once locked, presses and moves on its
// bars are ignored, so only the program sets the pane sizes.
class CStaticSplitterWndEx : public QSplitter {
    Q_OBJECT
public:
    explicit CStaticSplitterWndEx(Qt::Orientation orientation, QWidget* parent = nullptr);

    void Lock();
    [[nodiscard]] bool IsLocked() const { return m_locked; }
    // The program decides the sizes: a pane may shrink to nothing.
    [[nodiscard]] QSize minimumSizeHint() const override { return {0, 0}; }

protected:
    QSplitterHandle* createHandle() override;

private:
    bool m_locked = false;
};
