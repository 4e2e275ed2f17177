#pragma once

#include <QPixmap>

// The listing image list shared by the five listing grids: 21 x 20 pictures drawn in code so
// that no image files have to ship with the program.
class ListingImages
{
public:
    enum Index
    {
        Cargo = 0,
        Truck = 1,
        Chat = 2,
        Agent = 3,
        Count = 4
    };

    static constexpr int Width = 21;
    static constexpr int Height = 20;

    // An empty pixmap for an index outside the list (a row with no icon).
    static QPixmap image(int index);
    // The sender icon rule: the agent seat publishes as "-1", everyone else can be chatted to.
    static int senderImage(const QString& senderId);
};
