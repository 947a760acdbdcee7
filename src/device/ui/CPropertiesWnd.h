#pragma once
#include <QDockWidget>

#include <string>
#include <vector>
#include "resources/StringIds.h"

class QComboBox;
class QTreeWidget;

// The docking condition pane: the device list above the condition grid. A
// change of the list's selection is reported as DeviceSelected (the pane's
// WM_DEVICE_SELECTED to the main window).
class CPropertiesWnd : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int CaptionText = IDS_PROPERTIES_CAPTION;

    explicit CPropertiesWnd(QWidget* parent = nullptr);

    // Fills the device list with its entry texts and selects `selected`
    // (-1: none) without reporting a selection.
    void FillDeviceList(const std::vector<std::string>& entries, int selected);
    // Selects an entry without reporting it.
    void SelectDevice(int index);
    [[nodiscard]] QComboBox* DeviceList() const { return m_devices; }
    [[nodiscard]] QTreeWidget* Grid() const { return m_grid; }

signals:
    void DeviceSelected(int index);

private:
    QComboBox* m_devices;
    QTreeWidget* m_grid;
    bool m_quiet = false;
};
