#pragma once
#include <QMdiSubWindow>
#include <memory>

#include "document/CWindowRecords.h"

class CNivaraDoc;
class CNivaraView;

// A document window: one view of the shared document with the records that
// belong to the window (channel tables, bookmark lists, compare list).
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(CNivaraDoc& document, QWidget* parent = nullptr);
    ~CChildFrame() override;

    [[nodiscard]] CNivaraDoc& Doc() { return m_doc; }
    [[nodiscard]] CWindowRecords& Records() { return *m_records; }
    [[nodiscard]] CNivaraView* View() const { return m_view; }

private:
    CNivaraDoc& m_doc;
    std::unique_ptr<CWindowRecords> m_records;
    CNivaraView* m_view = nullptr;
};
