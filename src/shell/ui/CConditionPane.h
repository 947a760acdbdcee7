#pragma once
#include <QWidget>
#include <memory>
#include <string>

#include "shell/ui/CQtFolderChooser.h"

class CConditionGrid;
class CLogicDocument;
class CPropertyGridCtrl;
class IConditionGridHost;
class IFolderChooser;
class IUserMessages;
class QAction;
class QToolBar;

// The lower part of the condition pane: the small toolbar (154 expands all
// groups, 151 switches the alphabetical order) above the property grid that
// shows the condition grid. It owns the grid's rules; an edited property is
// reported as ConditionChanged, and the main window hands it back with the
// active document through OnConditionChanged.
class CConditionPane : public QWidget {
    Q_OBJECT
public:
    static constexpr int SortCommand = 151;
    static constexpr int ExpandCommand = 154;

    CConditionPane(IUserMessages& messages, QWidget* parent = nullptr);
    ~CConditionPane() override;

    // The groups and properties with the values of a new generating
    // document (once the driver is bound).
    void BuildDefaultGrid(const std::string& defaultAutoSavePath);
    [[nodiscard]] bool HasProperties() const;
    // A device selection: an empty grid is built, an existing one goes back to
    // the values it was created with.
    void OnDeviceSelected(const std::string& defaultAutoSavePath);
    // Shows the document's condition.
    void RefreshGrid(const CLogicDocument& document);
    // The edited property `name` now reads `value`: the document takes it and
    // the grid is shown again.
    void OnConditionChanged(CLogicDocument& document, IConditionGridHost& host, const std::string& name,
                            const std::string& value);

    [[nodiscard]] CPropertyGridCtrl* Grid() const { return m_grid; }
    [[nodiscard]] const CConditionGrid& Rules() const { return *m_rules; }
    [[nodiscard]] QToolBar* ToolBar() const { return m_toolBar; }
    [[nodiscard]] QAction* SortAction() const { return m_sort; }
    [[nodiscard]] QAction* ExpandAction() const { return m_expand; }
    // Replaces the folder browser (nullptr: the standard one).
    void SetFolderChooser(IFolderChooser* chooser);

signals:
    void ConditionChanged(const QString& name, const QString& value);

private:
    void ShowGrid();

    std::unique_ptr<CConditionGrid> m_rules;
    CQtFolderChooser m_standardFolders;
    QToolBar* m_toolBar;
    QAction* m_sort;
    QAction* m_expand;
    CPropertyGridCtrl* m_grid;
};
