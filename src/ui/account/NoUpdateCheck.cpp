#include "ui/account/NoUpdateCheck.h"

#include <QTimer>

void NoUpdateCheck::start(const Settings&)
{
    QTimer::singleShot(0, this, [this] { Q_EMIT ended(EndEvent::NoUpdateAvailable); });
}
