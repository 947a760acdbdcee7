#pragma once
#include <QObject>
#include <memory>

#include "document/CLogicDocument.h"

// The Qt side of the document: owns the core document and forwards its view
// notifications to every view of the document.
class CNivaraDoc : public QObject {
    Q_OBJECT
public:
    explicit CNivaraDoc(QObject* parent = nullptr);
    ~CNivaraDoc() override;

    [[nodiscard]] CLogicDocument& Document() { return *m_document; }

    // Documents folder + "/Nivara", else the current folder.
    [[nodiscard]] static QString DefaultAutoSavePath();

signals:
    // Every change of a document value is followed by this.
    void ViewsNeedUpdate();

private:
    std::unique_ptr<CLogicDocument> m_document;
};
