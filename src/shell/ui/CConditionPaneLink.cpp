#include "shell/ui/CConditionPaneLink.h"

#include "device/CDeviceRun.h"
#include "device/CDriverBinding.h"
#include "document/CLogicDocument.h"
#include "document/IDocumentWindow.h"
#include "shell/CWindowGridHost.h"
#include "shell/ui/CConditionPane.h"
#include "shell/ui/CNivaraDoc.h"
#include "shell/ui/CPropertiesWnd.h"

bool CConditionPaneLink::OnDeviceSelected(IDocumentWindow* active, int index) {
    m_binding.SetSelectedIndex(index);
    if (active == nullptr) {
        return false;
    }
    const auto& names = m_binding.DeviceNames();
    const auto& types = m_binding.DeviceTypes();
    if (index < 0 || static_cast<std::size_t>(index) >= names.size()) {
        return false;
    }
    const std::string& type = types[static_cast<std::size_t>(index)];
    const std::string& name = names[static_cast<std::size_t>(index)];
    active->Run().CloseDevice();
    active->Document().SetDevice(type, name);
    m_pane.Grid()->OnDeviceSelected(CNivaraDoc::DefaultAutoSavePath().toStdString());
    if (!type.empty()) {
        (void)active->Run().OpenDevice(name);
    }
    return true;
}

void CConditionPaneLink::OnConditionChanged(IDocumentWindow& active, const std::string& name,
                                            const std::string& value) {
    CWindowGridHost host(active.FileWindow());
    m_pane.Grid()->OnConditionChanged(active.Document(), host, name, value);
}

void CConditionPaneLink::RefreshGrid(IDocumentWindow& active) {
    CLogicDocument& document = active.Document();
    const std::string& name = document.Condition().DeviceName;
    const auto& names = m_binding.DeviceNames();
    int found = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            found = static_cast<int>(i);
        }
    }
    if (found >= 0) {
        m_binding.SetSelectedIndex(found);
        m_pane.SelectDevice(found);
    }
    m_pane.Grid()->RefreshGrid(document);
    // A run of the document reads the condition: the pane stays disabled.
    m_pane.setEnabled(!active.Run().RunActive() && document.IsRunning.load() == 0);
}
