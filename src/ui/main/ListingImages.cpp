#include "ui/main/ListingImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QVector>

namespace {

QPixmap blankPicture()
{
    QPixmap pixmap(ListingImages::Width, ListingImages::Height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawBox(QPainter& p, const QRectF& r, const QColor& face)
{
    p.setPen(QPen(face.darker(160), 1));
    p.setBrush(face);
    p.drawRect(r);
    p.drawLine(QPointF(r.left(), r.top() + r.height() / 3),
               QPointF(r.right(), r.top() + r.height() / 3));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.top() + r.height() / 3));
}

QPixmap cargoPicture()
{
    QPixmap pixmap = blankPicture();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor cardboard(214, 160, 84);
    drawBox(p, QRectF(1.5, 9.5, 9, 9), cardboard);
    drawBox(p, QRectF(10.5, 9.5, 9, 9), cardboard.lighter(110));
    drawBox(p, QRectF(6, 1.5, 9, 8), cardboard.darker(105));
    return pixmap;
}

QPixmap truckPicture()
{
    QPixmap pixmap = blankPicture();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 60, 120), 1));
    p.setBrush(QColor(70, 130, 200));
    p.drawRect(QRectF(0.5, 4.5, 12, 9));
    QPainterPath cab;
    cab.moveTo(13, 7.5);
    cab.lineTo(17, 7.5);
    cab.lineTo(20.5, 11);
    cab.lineTo(20.5, 13.5);
    cab.lineTo(13, 13.5);
    cab.closeSubpath();
    p.setBrush(QColor(220, 70, 50));
    p.drawPath(cab);
    p.setBrush(QColor(180, 220, 250));
    p.drawRect(QRectF(15, 8.5, 2, 2));
    p.setBrush(QColor(40, 40, 40));
    p.setPen(Qt::NoPen);
    for (qreal x : {4.0, 10.0, 17.0})
        p.drawEllipse(QPointF(x, 16), 2.5, 2.5);
    return pixmap;
}

QPixmap chatPicture()
{
    QPixmap pixmap = blankPicture();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1.5, 2.5, 18, 11), 4, 4);
    QPainterPath tail;
    tail.moveTo(5, 12);
    tail.lineTo(4, 18);
    tail.lineTo(10, 12);
    tail.closeSubpath();
    p.setPen(QPen(QColor(40, 120, 40), 1));
    p.setBrush(QColor(120, 200, 100));
    p.drawPath(bubble.united(tail));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (qreal x : {6.5, 10.5, 14.5})
        p.drawEllipse(QPointF(x, 8), 1.3, 1.3);
    return pixmap;
}

QPixmap agentPicture()
{
    QPixmap pixmap = blankPicture();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(60, 110, 190));
    p.drawRoundedRect(QRectF(4.5, 12.5, 12, 7), 3, 3); // shoulders
    p.setBrush(QColor(250, 215, 180));
    p.drawEllipse(QRectF(6.5, 3.5, 8, 9)); // head
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 30, 30), 1.5));
    p.drawArc(QRectF(5, 2, 11, 10), 20 * 16, 140 * 16); // headband
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(4.5, 6.5, 2, 3)); // ear pieces
    p.drawRect(QRectF(14.5, 6.5, 2, 3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 6, 7, 7), 180 * 16, 90 * 16); // microphone boom
    return pixmap;
}

QVector<QPixmap> buildImages()
{
    return {cargoPicture(), truckPicture(), chatPicture(), agentPicture()};
}

} // namespace

QPixmap ListingImages::image(int index)
{
    static const QVector<QPixmap> images = buildImages();
    if (index < 0 || index >= images.size())
        return QPixmap();
    return images.at(index);
}

int ListingImages::senderImage(const QString& senderId)
{
    return senderId == QLatin1String("-1") ? Agent : Chat;
}
