#pragma once
#include "document/ICommandModule.h"

class CNivaraView;
class ICommandHost;
class IDocumentWindow;
struct PATTERN_PARAMETERS;
struct PATTERN_SOURCE;

// The pattern commands: Clock Data Pattern, Continuous Data Pattern and
// Offset fill one channel of the generating memory from clock 0 on; Swap
// exchanges two channels. Each is one undo step of the document's history.
// The module keeps the pattern-created flag that enables Save Data Pattern.
class CPatternCommands final : public ICommandModule {
public:
    explicit CPatternCommands(ICommandHost& host);

    void Register(ICommandRegistry& registry) override;
    void FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const override;

    [[nodiscard]] bool PatternCreated() const { return m_patternCreated; }

private:
    // The window whose graph a pattern command works on; nullptr when there
    // is none, the direction is sampling or editing is disabled.
    [[nodiscard]] IDocumentWindow* EditableWindow() const;
    [[nodiscard]] static int InitialChannel(IDocumentWindow& window);
    void OnClock();
    void OnContinuous();
    void OnOffset();
    void OnSwap();
    void Apply(IDocumentWindow& window, const PATTERN_PARAMETERS& parameters, const PATTERN_SOURCE& source);

    ICommandHost& m_host;
    bool m_patternCreated = false;
};
