#include "ui/main/GridFonts.h"

#include <QFontDatabase>
#include <QStringList>

QString GridFonts::firstInstalled(const QStringList& candidates)
{
    const QStringList installed = QFontDatabase().families();
    for (const QString& name : candidates) {
        if (installed.contains(name, Qt::CaseInsensitive))
            return name;
    }
    return QString();
}

QFont GridFonts::simSun(int pixelSize)
{
    static const QString family =
        firstInstalled({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
                        QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
    QFont font;
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPixelSize(pixelSize);
    return font;
}

QFont GridFonts::tahoma(int pixelSize, bool bold)
{
    static const QString family = firstInstalled(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana"),
         QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans CJK SC")});
    QFont font;
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
