#include "shell/ui/CNivaraApp.h"

#include "resources/CStringTable.h"
#include "shell/ui/CMainFrame.h"

CNivaraApp::CNivaraApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName("VARDEK");
    setApplicationName("Nivara");
}

CNivaraApp::~CNivaraApp() = default;

bool CNivaraApp::InitInstance() {
    CStringTable::SetLanguage(CStringTable::LanguageFromEnvironment());
    m_mainFrame = std::make_unique<CMainFrame>();
    m_mainFrame->OnFileNew();
    m_mainFrame->resize(1280, 900);
    m_mainFrame->show();
    return true;
}
