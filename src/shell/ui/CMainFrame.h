#pragma once
#include <QMainWindow>
#include <memory>

class QMdiArea;
class CNivaraDoc;
class CChildFrame;

// The multiple-document main window. There is at most one document at a
// time; every document window shows it.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Creates the document (when there is none) and a window on it.
    CChildFrame* OnFileNew();
    [[nodiscard]] QMdiArea* MdiArea() const { return m_mdiArea; }
    [[nodiscard]] CNivaraDoc* Doc() const { return m_doc.get(); }

private:
    QMdiArea* m_mdiArea = nullptr;
    std::unique_ptr<CNivaraDoc> m_doc;
};
