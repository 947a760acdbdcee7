#pragma once
#include <QObject>
#include <QString>
#include <memory>

#include "document/CLogicDocument.h"

// The Qt side of the document: owns the core document, its title and path,
// and forwards its view notifications to every view of the document.
class CNivaraDoc : public QObject {
    Q_OBJECT
public:
    explicit CNivaraDoc(QObject* parent = nullptr);
    ~CNivaraDoc() override;

    [[nodiscard]] CLogicDocument& Document() { return *m_document; }

    // Documents folder + "/Nivara", else the current folder.
    [[nodiscard]] static QString DefaultAutoSavePath();

    // The new-file name of the document type (string 130, third field).
    [[nodiscard]] static QString DefaultTitle();
    [[nodiscard]] const QString& Title() const { return m_title; }
    [[nodiscard]] const QString& PathName() const { return m_pathName; }
    void SetTitle(const QString& title);
    // Sets the path and takes its file name as the title.
    void SetPathName(const QString& path);

signals:
    // Every change of a document value is followed by this.
    void ViewsNeedUpdate();
    void TitleChanged();

private:
    std::unique_ptr<CLogicDocument> m_document;
    QString m_title;
    QString m_pathName;
};
