#include "service/ShellState.h"

#include <utility>

void ShellState::setConnectedProbe(std::function<bool()> probe)
{
    m_connectedProbe = std::move(probe);
}

bool ShellState::isConnected() const
{
    return m_connectedProbe && m_connectedProbe();
}

void ShellState::runSearchInTurn(std::function<void()> start)
{
    if (!m_searchBusy) {
        m_searchBusy = true;
        start();
        return;
    }
    m_searchQueue.push_back(std::move(start));
}

void ShellState::finishSearchTurn()
{
    if (m_searchQueue.empty()) {
        m_searchBusy = false;
        return;
    }
    auto next = std::move(m_searchQueue.front());
    m_searchQueue.pop_front();
    next();
}

void ShellState::reset()
{
    auto probe = std::move(m_connectedProbe);
    *this = ShellState();
    m_connectedProbe = std::move(probe);
}

ShellState& shellState()
{
    static ShellState state;
    return state;
}
