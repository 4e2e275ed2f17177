#include "ui/main/ShellPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kArrowColour(40, 80, 150);

QPixmap canvas(int w, int h)
{
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap labelledBadge(const QColor& colour, const QString& text)
{
    QPixmap pixmap = canvas(48, 24);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0.5, 0.5, 47, 23), 5, 5);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return pixmap;
}

} // namespace

QPixmap ShellPictures::arrow(int index)
{
    QPixmap pixmap = canvas(16, 16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kArrowColour);
    QPolygonF triangle;
    switch (index) {
    case ArrowRight:
        triangle << QPointF(5, 3) << QPointF(12, 8) << QPointF(5, 13);
        break;
    case ArrowLeft:
        triangle << QPointF(11, 3) << QPointF(4, 8) << QPointF(11, 13);
        break;
    case ArrowUp:
        triangle << QPointF(3, 11) << QPointF(8, 4) << QPointF(13, 11);
        break;
    default:
        triangle << QPointF(3, 5) << QPointF(8, 12) << QPointF(13, 5);
        break;
    }
    p.drawPolygon(triangle);
    return pixmap;
}

QPixmap ShellPictures::badge(Badge badge)
{
    switch (badge) {
    case BadgeHelp:
        return labelledBadge(QColor(60, 140, 70), QStringLiteral("咨询"));
    case BadgePublishLand:
        return labelledBadge(QColor(220, 110, 30), QStringLiteral("选字"));
    case BadgePublishPicked:
        return labelledBadge(QColor(200, 70, 50), QStringLiteral("点选"));
    case BadgePublishFreight:
        break;
    }
    return labelledBadge(QColor(50, 110, 190), QStringLiteral("发布"));
}

QIcon ShellPictures::trayFrame(int frame)
{
    QPixmap pixmap = canvas(32, 32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 60, 120), 2));
    p.setBrush(frame == 0 ? QColor(0xCE, 0xDC, 0xEF) : QColor(250, 200, 60));
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    p.setPen(QColor(30, 60, 120));
    QFont font = p.font();
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("T"));
    return QIcon(pixmap);
}
