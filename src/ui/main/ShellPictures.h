#pragma once

#include <QIcon>
#include <QPixmap>

// The main window's own pictures, drawn in code: the arrow image list (0 right, 1 left,
// 2 up, 3 down), the tool bar images and the two tray icon frames.
class ShellPictures
{
public:
    enum Arrow
    {
        ArrowRight = 0,
        ArrowLeft = 1,
        ArrowUp = 2,
        ArrowDown = 3
    };
    enum Badge
    {
        BadgeHelp,
        BadgePublishLand,
        BadgePublishPicked,
        BadgePublishFreight
    };

    static QPixmap arrow(int index);
    static QPixmap badge(Badge badge);
    // Frame 0 is the resting icon; frame 1 alternates with it while messages wait.
    static QIcon trayFrame(int frame);
};
