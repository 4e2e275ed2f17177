#include "ui/account/NoUpdateCheck.h"

#include <QTimer>

void NoUpdateCheck::start(const Settings&)
{
    QTimer::singleShot(0, this, [this] { emit ended(EndEvent::NoUpdateAvailable); });
}
