#pragma once
#include <QWidget>

class CNivaraDoc;
class CWindowRecords;

// The waveform graph of a document window.
class CNivaraView : public QWidget {
    Q_OBJECT
public:
    CNivaraView(CNivaraDoc& document, CWindowRecords& records, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CNivaraDoc& m_doc;
    CWindowRecords& m_records;
};
