#include "shell/ui/CNivaraApp.h"

#include <QStringList>

#include "resources/CStringTable.h"
#include "resources/ui/CFrameworkTranslation.h"
#include "resources/ui/CInterfaceFont.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"

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
    CStringTable::SetLanguage(CStringTable::LanguageFromEnvironment());
    (void)CFrameworkTranslation::Install(*this, CStringTable::Language());
    setFont(CInterfaceFont::WithJapaneseFallback(font()));
    ExitInstance();
    // The board library is bound while the main window is created.
    m_mainFrame = std::make_unique<CMainFrame>(m_messages);
    if (m_mainFrame->OnFileNew() == nullptr) {
        return false;
    }
    if (!fileName.isEmpty()) {
        // A failure has shown its message; the new document window stays.
        (void)m_mainFrame->OpenPulseFile(fileName.toStdString());
    }
    m_mainFrame->resize(1280, 900);
    m_mainFrame->show();
    return true;
}

void CNivaraApp::ExitInstance() { m_mainFrame.reset(); }
