#include "shell/ui/CNivaraApp.h"

#include <QStringList>
#include <QThread>

#include "document/GuardedCall.h"
#include "document/IUserMessages.h"
#include "resources/CStringTable.h"
#include "resources/ui/CFrameworkTranslation.h"
#include "resources/ui/CInterfaceFont.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CGuardMessages.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CQtUserMessages.h"
#include "shell/ui/CSettingsCommands.h"

CNivaraApp::CNivaraApp(int& argc, char** argv)
    : QApplication(argc, argv),
      m_standardMessages(std::make_unique<CQtUserMessages>(nullptr)),
      m_guardMessages(std::make_unique<CGuardMessages>([this]() -> IUserMessages* {
          // The main window's messages (its message boxes or the replacement
          // a test installed); before the main window exists and while it is
          // being destroyed (the pointer is already empty then), the ones
          // installed for the next main window, else the standard boxes.
          if (m_mainFrame != nullptr) {
              return m_mainFrame.get();
          }
          return m_messages != nullptr ? m_messages : m_standardMessages.get();
      })) {
    setOrganizationName("VARDEK");
    setApplicationName("Nivara");
}

CNivaraApp::~CNivaraApp() { ExitInstance(); }

bool CNivaraApp::InitInstance() {
    const QStringList args = arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (!args[i].startsWith('-')) {
            return InitInstance(args[i]);
        }
    }
    return InitInstance(QString());
}

bool CNivaraApp::InitInstance(const QString& fileName) {
    ExitInstance();
    // Every text, menu and dialog comes in the language chosen here.
    CStringTable::SetLanguage(CSettingsCommands::StartLanguage());
    (void)CFrameworkTranslation::Install(*this, CStringTable::Language());
    setFont(CInterfaceFont::WithJapaneseFallback(font()));
    // The board library is bound and the persisted device looked up while
    // the main window is created.
    m_mainFrame = std::make_unique<CMainFrame>(m_messages);
    CChildFrame* first = m_mainFrame->OnFileNew();
    if (first == nullptr) {
        return false;
    }
    // Shown first, so that a message of the start appears over it.
    m_mainFrame->resize(1280, 900);
    m_mainFrame->show();
    // The persisted condition goes to the empty first document; a file named
    // on the command line is read after it, so the file keeps its own
    // condition and all of its words.
    m_mainFrame->SettingsCommands().ApplyPersistedSettings(*first);
    if (!fileName.isEmpty()) {
        // A failure has shown its message; the new document window stays.
        (void)m_mainFrame->OpenPulseFile(fileName.toStdString());
    }
    return true;
}

void CNivaraApp::ExitInstance() { m_mainFrame.reset(); }

bool CNivaraApp::notify(QObject* receiver, QEvent* event) {
    if (QThread::currentThread() != thread()) {
        return QApplication::notify(receiver, event);
    }
    const QEvent::Type type = event->type();
    const bool outerDeferred = m_guardMessages->Deferred();
    m_guardMessages->SetDeferred(outerDeferred || type == QEvent::Paint || type == QEvent::UpdateRequest);
    // One pointer besides `this`: the call fits std::function's own storage,
    // so no event pays for an allocation.
    struct DELIVERY {
        QObject* Receiver;
        QEvent* Event;
        bool Handled;
    } delivery{receiver, event, false};
    const bool completed = GuardedCall(*m_guardMessages, [this, &delivery] {
        delivery.Handled = QApplication::notify(delivery.Receiver, delivery.Event);
    });
    m_guardMessages->SetDeferred(outerDeferred);
    if (!completed) {
        // The handler was ended: the event counts as dealt with, so nothing
        // passes it on, and a window whose close was ended stays open.
        if (type == QEvent::Close) {
            event->ignore();
        }
        delivery.Handled = true;
    }
    return delivery.Handled;
}
