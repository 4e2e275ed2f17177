#include "service/ShellState.h"

#include <utility>

void ShellState::setConnectedProbe(std::function<bool()> probe)
{
    connectedProbe = std::move(probe);
}

bool ShellState::isConnected() const
{
    return connectedProbe && connectedProbe();
}

void ShellState::runSearchInTurn(std::function<void()> start)
{
    if (!searchBusy) {
        searchBusy = true;
        start();
        return;
    }
    searchQueue.push_back(std::move(start));
}

void ShellState::finishSearchTurn()
{
    if (searchQueue.empty()) {
        searchBusy = false;
        return;
    }
    auto next = std::move(searchQueue.front());
    searchQueue.pop_front();
    next();
}

void ShellState::reset()
{
    auto probe = std::move(connectedProbe);
    *this = ShellState();
    connectedProbe = std::move(probe);
}

ShellState& shellState()
{
    static ShellState state;
    return state;
}
