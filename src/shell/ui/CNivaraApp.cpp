#include "shell/ui/CNivaraApp.h"

#include <QStringList>

#include "resources/CStringTable.h"
#include "resources/ui/CFrameworkTranslation.h"
#include "resources/ui/CInterfaceFont.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CSettingsCommands.h"

CNivaraApp::CNivaraApp(int& argc, char** argv) : QApplication(argc, argv) {
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
