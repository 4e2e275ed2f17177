#pragma once

#include <QColor>
#include <QPixmap>

// The chat window's pictures, drawn in code: the information image list (0: the header icon)
// and the side-panel arrow (0: panel shown, 1: panel hidden), and their recolouring.
namespace ChatPictures {

QPixmap headerIcon();
QPixmap arrow(int index);
// Each pixel keeps its lightness and takes the colour's hue and saturation; transparency
// stays. An empty picture is returned as it is.
QPixmap tinted(const QPixmap& picture, const QColor& colour);

} // namespace ChatPictures
