#include "graph/CGraphKeyController.h"

#include "graph/CGraphModel.h"
#include "graph/CGraphNavigator.h"
#include "graph/IGraphViewHost.h"

CGraphKeyController::CGraphKeyController(CGraphModel& model, IGraphViewHost& host)
    : m_model(model), m_host(host) {}

CGraphKeyController::~CGraphKeyController() = default;

void CGraphKeyController::AddCommand(std::unique_ptr<IGraphKeyCommand> command) {
    if (command) {
        m_commands.push_back(std::move(command));
    }
}

bool CGraphKeyController::KeyDown(const GRAPH_KEY_EVENT& key) {
    if (key.keys.alt) {
        return AltKey(key);
    }
    if (key.keys.ctrl && key.key == GRAPH_KEY::Character) {
        if (key.character == 'J') {
            m_host.RequestCommand(JumpToClockCommand);
            return true;
        }
        if (key.character == 'W') {
            m_host.RequestCommand(SwapCommand);
            return true;
        }
    }
    for (const auto& command : m_commands) {
        if (command->KeyDown(m_model, m_host, key)) {
            return true;
        }
    }
    if (key.key == GRAPH_KEY::Insert) {
        m_host.SetInsertMode(!m_model.InsertMode());
        return true;
    }
    return Move(key.key, key.keys.shift);
}

bool CGraphKeyController::AltKey(const GRAPH_KEY_EVENT& key) {
    const double zoom = m_model.Geometry().Zoom();
    switch (key.key) {
        case GRAPH_KEY::Home:
            m_host.SetZoom(1.0);
            return true;
        case GRAPH_KEY::Left:
            m_host.SetZoom(zoom * 0.5);
            return true;
        case GRAPH_KEY::Right:
            m_host.SetZoom(zoom * 2);
            return true;
        default:
            return false;
    }
}

bool CGraphKeyController::Move(GRAPH_KEY key, bool extend) {
    CGraphNavigator navigator(m_model);
    const bool shift = extend;
    bool rowsScrolled = false;
    switch (key) {
        case GRAPH_KEY::PageUp:
            navigator.PageTowardStart(shift);
            break;
        case GRAPH_KEY::PageDown:
            navigator.PageTowardEnd(shift);
            break;
        case GRAPH_KEY::End:
            navigator.ToEnd(shift);
            break;
        case GRAPH_KEY::Home:
            navigator.ToStart(shift);
            break;
        case GRAPH_KEY::Left:
            navigator.Left();
            break;
        case GRAPH_KEY::Right:
            navigator.Right();
            break;
        case GRAPH_KEY::Up:
            rowsScrolled = navigator.Up();
            break;
        case GRAPH_KEY::Down:
            rowsScrolled = navigator.Down();
            break;
        default:
            return false;
    }
    if (!shift) {
        navigator.Collapse();
    }
    if (rowsScrolled) {
        m_host.ScrollSignalRowsTo(m_model.Geometry().FirstVisibleRow());
    }
    m_host.RefreshView();
    return true;
}
