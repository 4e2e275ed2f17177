#include "app/ApplicationTitle.h"

namespace {
QString& storedTitle()
{
    static QString title = QStringLiteral("Tovanta");
    return title;
}
} // namespace

QString ApplicationTitle::get()
{
    return storedTitle();
}

void ApplicationTitle::set(const QString& title)
{
    storedTitle() = title;
}
