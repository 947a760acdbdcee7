#include "CSimBoard.h"

#include "qdxapi_sim.h"

namespace qdxsim {

CSimBoard::CSimBoard(std::string name, std::string type, int32_t source, CSimWire& wire, CSimMessenger& messenger)
    : m_name(std::move(name)),
      m_type(std::move(type)),
      m_model(ModelOfType(m_type)),
      m_wire(wire),
      m_source(source),
      m_input(1, wire, messenger, m_outputLines),
      m_output(2, wire, messenger, m_outputLines)
{
}

CSimTransfer* CSimBoard::Transfer(int16_t dir)
{
    if (dir == 1) return &m_input;
    if (dir == 2) return &m_output;
    return nullptr;
}

int32_t CSimBoard::SetDirection(int16_t dir)
{
    if (dir < 1 || dir > 3) return QDX_ERR_INVALID_DIRECTION;
    if (m_input.Active() || m_output.Active()) return QDX_ERR_BUSY;
    m_direction.store(dir);
    return QDX_OK;
}

void CSimBoard::SetStartPattern(uint32_t pattern, uint32_t mask)
{
    std::lock_guard lock(m_lock);
    m_pattern = pattern;
    m_mask = mask;
}

int32_t CSimBoard::SetStartWait(int16_t ms)
{
    if (ms < 0 || ms > 10000) return QDX_ERR_INVALID_PARAMETER;
    std::lock_guard lock(m_lock);
    m_startWaitNs = static_cast<uint64_t>(ms) * 1000000ULL;
    return QDX_OK;
}

void CSimBoard::SetStopCallback(QDX_DM_STOP_CALLBACK proc, void* param)
{
    std::lock_guard lock(m_lock);
    m_stopProc = proc;
    m_stopParam = param;
}

void CSimBoard::SetCountCallback(QDX_DM_COUNT_CALLBACK proc, void* param)
{
    std::lock_guard lock(m_lock);
    m_countProc = proc;
    m_countParam = param;
}

int32_t CSimBoard::Start(int16_t id, int16_t dir)
{
    CSimTransfer* transfer = Transfer(dir);
    if (transfer == nullptr) return QDX_ERR_INVALID_DIRECTION;
    if (!DirectionEnabled(dir)) return QDX_ERR_DIRECTION_NOT_SET;
    SIM_START start;
    {
        std::lock_guard lock(m_lock);
        start.Pattern = m_pattern;
        start.Mask = m_mask;
        start.StartWaitNs = m_startWaitNs;
        start.StopProc = m_stopProc;
        start.StopParam = m_stopParam;
        start.CountProc = m_countProc;
        start.CountParam = m_countParam;
    }
    start.Id = id;
    start.Model = m_model;
    start.Source = m_source.load();
    start.ExternalRate = m_externalRate.load();
    start.HandshakeRate = m_handshakeRate.load();
    return transfer->Start(start);
}

int32_t CSimBoard::ResetFifo(int16_t which)
{
    if (which < 1 || which > 7) return QDX_ERR_INVALID_PARAMETER;
    const bool all = (which & 4) != 0;
    if ((all || (which & 1)) && m_input.Active()) return QDX_ERR_BUSY;
    if ((all || (which & 2)) && m_output.Active()) return QDX_ERR_BUSY;
    if (all || (which & 1)) (void)m_input.ResetCounters();
    if (all || (which & 2)) (void)m_output.ResetCounters();
    return QDX_OK;
}

void CSimBoard::Reset()
{
    m_input.Reset();
    m_output.Reset();
    m_direction.store(1);
    {
        std::lock_guard lock(m_lock);
        m_pattern = 0;
        m_mask = 0;
        m_startWaitNs = 0;
        m_stopProc = nullptr;
        m_stopParam = nullptr;
        m_countProc = nullptr;
        m_countParam = nullptr;
    }
    WriteOutputLines(0xFFFFFFFFu, 0);
}

void CSimBoard::ReleaseOwner(int16_t id)
{
    m_input.AbortIfOwnedBy(id);
    m_output.AbortIfOwnedBy(id);
}

uint32_t CSimBoard::InputLines() const
{
    switch (m_source.load()) {
    case QDX_SIM_INPUT_LOOPBACK: return m_wire.LevelNow();
    case QDX_SIM_INPUT_ZERO: return 0;
    default: return static_cast<uint32_t>(SimNowNs() / 1000);  // free-running 1 MHz counter
    }
}

void CSimBoard::WriteOutputLines(uint32_t mask, uint32_t value)
{
    uint32_t lines = m_outputLines.load(std::memory_order_relaxed);
    uint32_t next = (lines & ~mask) | (value & mask);
    while (!m_outputLines.compare_exchange_weak(lines, next, std::memory_order_relaxed)) {
        next = (lines & ~mask) | (value & mask);
    }
    if (!m_output.Active()) m_wire.SetLatch(next);
}

void CSimBoard::FireTrigger(int32_t line, int32_t edge)
{
    m_input.FireEdge(line, edge);
    m_output.FireEdge(line, edge);
}

int32_t CSimBoard::RaiseError(int16_t dir, uint32_t errors)
{
    CSimTransfer* transfer = Transfer(dir);
    if (transfer == nullptr) return QDX_ERR_INVALID_DIRECTION;
    if (errors == 0 || errors > 0x7F) return QDX_ERR_INVALID_PARAMETER;
    transfer->RaiseError(errors);
    return QDX_OK;
}

}  // namespace qdxsim
