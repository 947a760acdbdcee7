#pragma once
#include <QApplication>
#include <memory>

class CGuardMessages;
class CMainFrame;
class CQtUserMessages;
class IUserMessages;

// The application object: chooses the interface language, creates the main
// window (which binds the board library and reads the persisted settings),
// opens the first document window, shows the main window, gives the first
// document the persisted device and condition and reads a file named on the
// command line. Every event it delivers runs through the guarded call: the
// last line of defence for what no inner guard wraps (a dialog's button, a
// timer, a scroll bar, a popup's item).
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

    // Delivers the event inside GuardedCall with the main window's messages:
    // an index outside a table or memory (CImproperArgument) ends the
    // event's handling there, with message 61477. Inner guards (the command
    // router, the graph's events) have already caught their own, so the
    // message is never shown twice. An ended close event leaves the window
    // open. Events of other threads are delivered as they are.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::unique_ptr<CMainFrame> m_mainFrame;
    IUserMessages* m_messages = nullptr;
    // The message boxes of the guard while there is no main window.
    std::unique_ptr<CQtUserMessages> m_standardMessages;
    std::unique_ptr<CGuardMessages> m_guardMessages;
};
