#include "ui/account/LoginUpdateCheck.h"
#include "ui/account/NoUpdateCheck.h"

namespace {
LoginUpdateCheck::Factory& factorySlot()
{
    static LoginUpdateCheck::Factory factory;
    return factory;
}
} // namespace

void LoginUpdateCheck::setFactory(Factory factory)
{
    factorySlot() = std::move(factory);
}

std::unique_ptr<LoginUpdateCheck> LoginUpdateCheck::create()
{
    if (factorySlot())
        return factorySlot()();
    return std::make_unique<NoUpdateCheck>();
}
