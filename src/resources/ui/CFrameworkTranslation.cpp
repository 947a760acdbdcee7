#include "resources/ui/CFrameworkTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include "resources/CStringTable.h"

namespace {
QPointer<QTranslator> g_installed;
}

bool CFrameworkTranslation::Install(QCoreApplication& application, int language) {
    if (g_installed != nullptr) {
        QCoreApplication::removeTranslator(g_installed);
        delete g_installed;
    }
    if (language != LANGUAGE_JAPANESE) {
        return true;
    }
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    g_installed = translator;
    return true;
}
