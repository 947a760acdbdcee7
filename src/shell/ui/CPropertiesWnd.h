#pragma once
#include <QDockWidget>

#include <string>
#include <vector>

class CConditionPane;
class IUserMessages;
class QComboBox;

// The docking condition pane: the device list above the condition grid with
// its toolbar. A
// change of the list's selection is reported as DeviceSelected (the pane's
// WM_DEVICE_SELECTED to the main window).
class CPropertiesWnd : public QDockWidget {
    Q_OBJECT
public:
    // messages: the grid's questions (the buffer size) and refusals.
    explicit CPropertiesWnd(IUserMessages& messages, QWidget* parent = nullptr);

    // Fills the device list with its entry texts and selects `selected`
    // (-1: none) without reporting a selection.
    void FillDeviceList(const std::vector<std::string>& entries, int selected);
    // Selects an entry without reporting it.
    void SelectDevice(int index);
    [[nodiscard]] QComboBox* DeviceList() const { return m_devices; }
    [[nodiscard]] CConditionPane* Grid() const { return m_grid; }

signals:
    void DeviceSelected(int index);

private:
    QComboBox* m_devices;
    CConditionPane* m_grid;
    bool m_quiet = false;
};
