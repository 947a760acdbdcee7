#include "shell/ui/CConditionPane.h"

#include <QAction>
#include <QToolBar>
#include <QVBoxLayout>

#include "resources/CStringTable.h"
#include "resources/ui/CIconLibrary.h"
#include "resources/StringIds.h"
#include "shell/CConditionGrid.h"
#include "shell/ui/CPropertyGridCtrl.h"

namespace {

QAction* ToolAction(QToolBar* bar, int textId, const char* picture) {
    const QStringList texts = QString::fromStdString(LoadText(textId)).split('\n');
    auto* action = bar->addAction(CIconLibrary::Load(picture), texts.size() > 1 ? texts.value(1) : texts.value(0));
    action->setStatusTip(texts.value(0));
    action->setToolTip(texts.size() > 1 ? texts.value(1) : texts.value(0));
    return action;
}

}  // namespace

CConditionPane::CConditionPane(IUserMessages& messages, QWidget* parent)
    : QWidget(parent),
      m_rules(std::make_unique<CConditionGrid>(messages)),
      m_standardFolders(this),
      m_toolBar(new QToolBar(this)),
      m_grid(new CPropertyGridCtrl(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_toolBar->setObjectName("ConditionToolBar");
    m_toolBar->setIconSize(QSize(16, 16));
    m_expand = ToolAction(m_toolBar, IDS_GRID_EXPAND_ALL, CIconLibrary::PaneExpandAll);
    m_sort = ToolAction(m_toolBar, IDS_GRID_SORT, CIconLibrary::PaneSortAlphabetical);
    m_sort->setCheckable(true);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_grid, 1);
    m_grid->SetFolderChooser(&m_standardFolders);
    connect(m_expand, &QAction::triggered, m_grid, &CPropertyGridCtrl::ExpandAll);
    connect(m_sort, &QAction::toggled, m_grid, &CPropertyGridCtrl::SetAlphabetic);
    connect(m_grid, &CPropertyGridCtrl::PropertyChanged, this, &CConditionPane::ConditionChanged);
}

CConditionPane::~CConditionPane() = default;

void CConditionPane::SetFolderChooser(IFolderChooser* chooser) {
    m_grid->SetFolderChooser(chooser != nullptr ? chooser : &m_standardFolders);
}

void CConditionPane::BuildDefaultGrid(const std::string& defaultAutoSavePath) {
    m_rules->BuildDefaultGrid(defaultAutoSavePath);
    m_grid->BuildGrid(m_rules->Groups());
}

bool CConditionPane::HasProperties() const { return !m_rules->Empty(); }

void CConditionPane::OnDeviceSelected(const std::string& defaultAutoSavePath) {
    if (m_rules->Empty()) {
        BuildDefaultGrid(defaultAutoSavePath);
        return;
    }
    m_rules->ResetToDefaults();
    ShowGrid();
}

void CConditionPane::RefreshGrid(const CLogicDocument& document) {
    if (m_rules->Empty()) {
        return;
    }
    m_rules->RefreshGrid(document);
    ShowGrid();
}

void CConditionPane::OnConditionChanged(CLogicDocument& document, IConditionGridHost& host, const std::string& name,
                                        const std::string& value) {
    if (m_rules->Empty()) {
        return;
    }
    m_rules->OnConditionChanged(document, host, name, value);
    ShowGrid();
}

void CConditionPane::ShowGrid() { m_grid->ShowGrid(m_rules->Groups()); }
