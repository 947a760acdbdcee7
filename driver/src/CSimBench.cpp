#include "CSimBench.h"

#include <cstring>

#include "qdxapi_sim.h"

namespace qdxsim {

namespace {

void CopyText(char* to, const std::string& text)
{
    const std::size_t length = std::min<std::size_t>(text.size(), QDX_TEXT_SIZE - 1);
    std::memcpy(to, text.data(), length);
    to[length] = '\0';
}

}  // namespace

CSimBench& CSimBench::Instance()
{
    static CSimBench bench(CSimConfig::FromEnvironment());
    return bench;
}

CSimBench::CSimBench(const SIM_SETTINGS& settings) { Build(settings); }

CSimBench::~CSimBench() { ShutDown(); }

void CSimBench::Build(const SIM_SETTINGS& settings)
{
    std::vector<std::shared_ptr<CSimBoard>> boards;
    for (const SIM_BOARD_ENTRY& entry : settings.Boards) {
        std::shared_ptr<CSimBoard> board;
        if (entry.Code == 0) {
            board = std::make_shared<CSimBoard>(entry.Name, entry.Type, entry.Source, m_wire, m_messenger);
            board->SetExternalRate(settings.ExternalRate);
            board->SetHandshakeRate(settings.HandshakeRate);
        }
        boards.push_back(std::move(board));
    }
    std::lock_guard lock(m_lock);
    m_settings = settings;
    m_entries = settings.Boards;
    m_boards = std::move(boards);
}

void CSimBench::ShutDown()
{
    std::vector<std::shared_ptr<CSimBoard>> boards;
    {
        std::lock_guard lock(m_lock);
        boards = std::move(m_boards);
        m_boards.clear();
        m_entries.clear();
        m_open.fill(nullptr);
    }
    for (const auto& board : boards) {
        if (board) board->Reset();
    }
}

int32_t CSimBench::Query(int16_t index, char* name, char* type) const
{
    std::lock_guard lock(m_lock);
    if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size()) return QDX_ERR_END_OF_LIST;
    const SIM_BOARD_ENTRY& entry = m_entries[static_cast<std::size_t>(index)];
    if (entry.Code != 0) return entry.Code;
    CopyText(name, entry.Name);
    CopyText(type, entry.Type);
    return QDX_OK;
}

int32_t CSimBench::Open(const char* name, int16_t& id)
{
    std::shared_ptr<CSimBoard> board = BoardByName(name);
    if (!board) return QDX_ERR_INVALID_DEVICE_NAME;
    std::lock_guard lock(m_lock);
    for (std::size_t slot = 0; slot < m_open.size(); ++slot) {
        if (!m_open[slot]) {
            m_open[slot] = board;
            id = static_cast<int16_t>(slot);
            return QDX_OK;
        }
    }
    return QDX_ERR_TOO_MANY_OPEN;
}

int32_t CSimBench::Close(int16_t id)
{
    std::shared_ptr<CSimBoard> board;
    {
        std::lock_guard lock(m_lock);
        if (id < 0 || static_cast<std::size_t>(id) >= m_open.size() || !m_open[static_cast<std::size_t>(id)]) {
            return QDX_ERR_INVALID_ID;
        }
        board = std::move(m_open[static_cast<std::size_t>(id)]);
        m_open[static_cast<std::size_t>(id)] = nullptr;
    }
    board->ReleaseOwner(id);
    return QDX_OK;
}

std::shared_ptr<CSimBoard> CSimBench::Board(int16_t id) const
{
    std::lock_guard lock(m_lock);
    if (id < 0 || static_cast<std::size_t>(id) >= m_open.size()) return nullptr;
    return m_open[static_cast<std::size_t>(id)];
}

std::shared_ptr<CSimBoard> CSimBench::BoardByName(std::string_view name) const
{
    std::lock_guard lock(m_lock);
    for (const auto& board : m_boards) {
        if (board && board->Name() == name) return board;
    }
    return nullptr;
}

bool CSimBench::HasType(std::string_view type) const
{
    if (type == "QDX-32A-PE" || type == "QDX-32A(PCI)" || type == "QDX-32C-PE") return true;
    std::lock_guard lock(m_lock);
    for (const auto& board : m_boards) {
        if (board && board->Type() == type) return true;
    }
    return false;
}

int32_t CSimBench::Configure(const char* boards)
{
    SIM_SETTINGS settings;
    {
        std::lock_guard lock(m_lock);
        settings = m_settings;
    }
    const std::string_view text = boards == nullptr ? std::string_view{} : std::string_view(boards);
    const std::string_view chosen = text.empty() ? CSimConfig::kDefaultBoards : text;
    if (!CSimConfig::ParseBoards(chosen, QDX_SIM_INPUT_COUNTER, settings.Boards)) return QDX_ERR_INVALID_PARAMETER;
    ShutDown();
    Build(settings);
    return QDX_OK;
}

}  // namespace qdxsim
