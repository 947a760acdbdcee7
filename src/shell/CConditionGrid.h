#pragma once
#include <optional>
#include <string>
#include <vector>

#include "shell/GRID_ITEM.h"

class CLogicDocument;
class IConditionGridHost;
class IUserMessages;

// The condition grid without its window: seven groups of properties that
// show the acquisition condition of the document's current direction, and
// the rules by which an edited property changes the document. Every handled
// edit is written to the document and the grid is shown again from it, so
// the grid always shows what the document holds.
class CConditionGrid {
public:
    explicit CConditionGrid(IUserMessages& messages);

    // Creates the groups and properties with the values of a new generating
    // document; the auto-save path is the default folder.
    void BuildDefaultGrid(const std::string& defaultAutoSavePath);
    // Every property back to the value it was created with (no changed mark).
    void ResetToDefaults();
    [[nodiscard]] bool Empty() const { return m_groups.empty(); }
    [[nodiscard]] const std::vector<GRID_GROUP>& Groups() const { return m_groups; }
    [[nodiscard]] const GRID_ITEM* Item(GridProperty property) const;
    [[nodiscard]] const GRID_GROUP* GroupOf(GridProperty property) const;

    // Values, options, visibility and enabling from the document.
    void RefreshGrid(const CLogicDocument& document);

    // The property whose displayed name is `name` in the current language.
    [[nodiscard]] std::optional<GridProperty> PropertyNamed(const std::string& name) const;
    // The property named `name` now reads `value`: the document takes it by
    // the property's rules, then the grid is shown again. Nothing changes
    // while the document runs.
    void OnConditionChanged(CLogicDocument& document, IConditionGridHost& host, const std::string& name,
                            const std::string& value);
    void OnConditionChanged(CLogicDocument& document, IConditionGridHost& host, GridProperty property,
                            const std::string& value);

private:
    GRID_ITEM* FindItem(GridProperty property);
    GRID_GROUP* FindGroup(GridProperty property);
    void Show(GridProperty property, const std::string& value, bool enabled);
    void ShowGroupOf(GridProperty property, bool shown);
    void RefreshClock(const CLogicDocument& document);
    void RefreshStart(const CLogicDocument& document);
    void RefreshStop(const CLogicDocument& document);
    void RefreshMonitor(const CLogicDocument& document);
    void RefreshAutoSave(const CLogicDocument& document);

    void Apply(CLogicDocument& document, IConditionGridHost& host, GridProperty property, const std::string& value);
    void ApplyChoice(CLogicDocument& document, IConditionGridHost& host, GridProperty property, int index);
    void ApplyNumber(CLogicDocument& document, GridProperty property, int32_t number);
    void ApplyMonitorChoice(CLogicDocument& document, GridProperty property, int index);
    void ApplyAutoSaveText(CLogicDocument& document, GridProperty property, const std::string& value);
    void ApplyBufferSize(CLogicDocument& document, IConditionGridHost& host, int32_t number);

    IUserMessages& m_messages;
    std::vector<GRID_GROUP> m_groups;
};
