#include "shell/ui/CPropertiesWnd.h"

#include <QComboBox>
#include <QVBoxLayout>

#include "resources/CStringTable.h"
#include "resources/StringIds.h"
#include "shell/ui/CConditionPane.h"

CPropertiesWnd::CPropertiesWnd(IUserMessages& messages, QWidget* parent)
    : QDockWidget(QString::fromStdString(LoadText(IDS_PROPERTIES_CAPTION)), parent) {
    setObjectName("PropertiesPane");
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_devices = new QComboBox(client);
    m_grid = new CConditionPane(messages, client);
    layout->addWidget(m_devices);
    layout->addWidget(m_grid, 1);
    setWidget(client);
    connect(m_devices, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        if (!m_quiet && index >= 0) {
            emit DeviceSelected(index);
        }
    });
}

void CPropertiesWnd::FillDeviceList(const std::vector<std::string>& entries, int selected) {
    m_quiet = true;
    m_devices->clear();
    for (const std::string& entry : entries) {
        m_devices->addItem(QString::fromStdString(entry));
    }
    m_devices->setCurrentIndex(selected);
    m_quiet = false;
}

void CPropertiesWnd::SelectDevice(int index) {
    m_quiet = true;
    m_devices->setCurrentIndex(index);
    m_quiet = false;
}
