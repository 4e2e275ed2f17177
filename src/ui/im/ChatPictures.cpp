#include "ui/im/ChatPictures.h"

#include "im/HslTint.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

// A transparent picture of that size with a grey shape filled in.
QPixmap greyShape(const QSize& size, const QColor& grey, const QPainterPath& shape)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(shape, grey);
    return pixmap;
}

} // namespace

namespace ChatPictures {

QPixmap headerIcon()
{
    QPainterPath person;
    person.addEllipse(QRectF(5, 1, 6, 6));
    person.addRoundedRect(QRectF(2, 8, 12, 7), 3, 3);
    return greyShape(QSize(16, 16), QColor(90, 90, 90), person);
}

QPixmap arrow(int index)
{
    QPolygonF triangle;
    if (index == 0) // the panel is shown: pointing right folds it away
        triangle << QPointF(1, 14) << QPointF(7, 20) << QPointF(1, 26);
    else
        triangle << QPointF(7, 14) << QPointF(1, 20) << QPointF(7, 26);
    QPainterPath path;
    path.addPolygon(triangle);
    path.closeSubpath();
    return greyShape(QSize(8, 40), QColor(110, 110, 110), path);
}

QPixmap tinted(const QPixmap& picture, const QColor& colour)
{
    if (picture.isNull())
        return picture;
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    const HslTint::Hsl target =
        HslTint::toHsl(HslTint::Rgb{colour.red(), colour.green(), colour.blue()});
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int alpha = qAlpha(pixel);
            if (alpha == 0)
                continue;
            // Premultiplication is not in the way: the format is straight ARGB.
            const HslTint::Rgb out =
                HslTint::tint(HslTint::Rgb{qRed(pixel), qGreen(pixel), qBlue(pixel)}, target);
            line[x] = qRgba(out.r, out.g, out.b, alpha);
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace ChatPictures
