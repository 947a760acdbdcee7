#include "shell/ui/CNivaraDoc.h"

#include <QDir>
#include <QStandardPaths>

CNivaraDoc::CNivaraDoc(QObject* parent)
    : QObject(parent), m_document(std::make_unique<CLogicDocument>(DefaultAutoSavePath().toStdString())) {
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
