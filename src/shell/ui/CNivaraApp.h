#pragma once
#include <QApplication>
#include <memory>

class CMainFrame;

// The application object: chooses the interface language, creates the main
// window and opens the first document window.
class CNivaraApp : public QApplication {
    Q_OBJECT
public:
    CNivaraApp(int& argc, char** argv);
    ~CNivaraApp() override;

    // Creates and shows the main window; false when start-up failed.
    [[nodiscard]] bool InitInstance();
    [[nodiscard]] CMainFrame* MainFrame() const { return m_mainFrame.get(); }

private:
    std::unique_ptr<CMainFrame> m_mainFrame;
};
