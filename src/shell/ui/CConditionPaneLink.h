#pragma once
#include <string>

class CDriverBinding;
class CPropertiesWnd;
class IDocumentWindow;

// Between the condition pane and the active document window: a device chosen
// in the list goes to the window's document and board, a grid edit to its
// document, and the pane shows the document's condition again.
class CConditionPaneLink {
public:
    CConditionPaneLink(CPropertiesWnd& pane, CDriverBinding& binding) : m_pane(pane), m_binding(binding) {}

    // WM_DEVICE_SELECTED: the document takes device `index` of the list and
    // the window's board is opened again. False when nothing changed.
    bool OnDeviceSelected(IDocumentWindow* active, int index);
    // The grid's property-changed notification.
    void OnConditionChanged(IDocumentWindow& active, const std::string& name, const std::string& value);
    // Selects the document's device in the list and shows its condition;
    // the pane stays disabled while the document runs.
    void RefreshGrid(IDocumentWindow& active);

private:
    CPropertiesWnd& m_pane;
    CDriverBinding& m_binding;
};
