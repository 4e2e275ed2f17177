#include "publish/PublishAccount.h"

#include "app/SessionState.h"
#include "publish/PublishRequests.h"

namespace {
constexpr int kPositionWidth = 32;
}

PublishAccount PublishAccount::fromSession(const SessionState& state)
{
    PublishAccount account;
    account.host = state.HostName;
    account.sender = PublishSenderOf(state.loginIdentity);
    account.position = state.profile.usercity.left(kPositionWidth);
    return account;
}
