#include "ui/account/LoginCaption.h"

QString LoginCaption::text(State state, const QString& appName, const QString& appVersion)
{
    switch (state) {
    case State::Idle:
        return appName + QStringLiteral(" - 版本:") + appVersion;
    case State::Checking:
        return appName + QStringLiteral(" - 正在检查新版本,请稍等 ...");
    case State::UpdateStarting:
        return appName + QStringLiteral(" - 正在升级,请稍等 ...");
    case State::Downloading:
        return appName + QStringLiteral(" - 正在升级 ...");
    }
    return appName;
}
