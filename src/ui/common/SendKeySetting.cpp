#include "ui/common/SendKeySetting.h"

#include "app/SettingsFile.h"
#include "ui/common/MessageBoxes.h"

QString SendKeySetting::saveFromChatMenu(int menuTag, QWidget* parent)
{
    QString error;
    const QString key = SettingsFile::saveFromChatMenu(menuTag, &error);
    if (!error.isEmpty())
        MessageBoxes::applicationError(parent, error);
    return key;
}
