#include "shell/ui/CNivaraDoc.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include "resources/CStringTable.h"
#include "resources/StringIds.h"

CNivaraDoc::CNivaraDoc(QObject* parent)
    : QObject(parent),
      m_document(std::make_unique<CLogicDocument>(DefaultAutoSavePath().toStdString())),
      m_title(DefaultTitle()) {
    m_document->SetViewNotifier([this] { emit ViewsNeedUpdate(); });
}

CNivaraDoc::~CNivaraDoc() { m_document->SetViewNotifier({}); }

QString CNivaraDoc::DefaultAutoSavePath() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) {
        return QDir::currentPath();
    }
    return documents + "/Nivara";
}

QString CNivaraDoc::DefaultTitle() {
    const QStringList fields = QString::fromStdString(LoadText(IDS_DOCUMENT_STRINGS)).split('\n');
    return fields.size() > 2 && !fields[2].isEmpty() ? fields[2] : QString::fromStdString(LoadText(IDS_APP_TITLE));
}

void CNivaraDoc::SetTitle(const QString& title) {
    m_title = title;
    emit TitleChanged();
}

void CNivaraDoc::SetPathName(const QString& path) {
    m_pathName = path;
    SetTitle(QFileInfo(path).fileName());
}
