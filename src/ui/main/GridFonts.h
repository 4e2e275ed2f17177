#pragma once

#include <QFont>

// The grid fonts, with stand-ins where the preferred face is not installed: a CJK serif face
// for SimSun and a plain sans face for Tahoma.
class GridFonts
{
public:
    static QFont simSun(int pixelSize);
    static QFont tahoma(int pixelSize, bool bold = false);

private:
    static QString firstInstalled(const QStringList& candidates);
};
