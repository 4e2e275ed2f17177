#pragma once

#include <QColor>

namespace Theme {

// The background of every window and the colour of selected tree rows and chat decorations.
inline QColor colour()
{
    return QColor(0xCE, 0xDC, 0xEF);
}

} // namespace Theme
