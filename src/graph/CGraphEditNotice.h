#pragma once
#include "graph/IGraphEditHost.h"

class CLogicDocument;
class IUserMessages;

// How the graph's edits reach the rest of the program: a change of the
// generating memory updates every view of the document (the other windows
// on it show the same memory); a refused edit tells the user why.
class CGraphEditNotice final : public IGraphEditHost {
public:
    explicit CGraphEditNotice(CLogicDocument& document) : m_document(document) {}

    // Where the messages go; without one a refusal is silent.
    void SetMessages(IUserMessages* messages) { m_messages = messages; }

    void DataChanged() override;
    void EditRefused(EDIT_RESULT result) override;

private:
    CLogicDocument& m_document;
    IUserMessages* m_messages = nullptr;
};
