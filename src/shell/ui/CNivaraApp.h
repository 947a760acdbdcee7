#pragma once
#include <QApplication>
#include <memory>

class CMainFrame;
class IUserMessages;

// The application object: chooses the interface language, creates the main
// window (which binds the board library and reads the persisted settings),
// opens the first document window, shows the main window, gives the first
// document the persisted device and condition and reads a file named on the
// command line.
class CNivaraApp : public QApplication {
    Q_OBJECT
public:
    CNivaraApp(int& argc, char** argv);
    ~CNivaraApp() override;

    // Start-up with the file named on the command line (the first argument
    // that is not an option); false when the application must end.
    [[nodiscard]] bool InitInstance();
    // Start-up reading `fileName` (none when empty).
    [[nodiscard]] bool InitInstance(const QString& fileName);
    [[nodiscard]] CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    // Ends the main window (the tests start the application more than once).
    void ExitInstance();
    // Message boxes of the next main window (nullptr: the standard ones).
    void SetUserMessages(IUserMessages* messages) { m_messages = messages; }

private:
    std::unique_ptr<CMainFrame> m_mainFrame;
    IUserMessages* m_messages = nullptr;
};
