#include "ui/account/LoginBanner.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

LoginBanner::LoginBanner(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

QPixmap LoginBanner::paint(const QSize& size, const QString& appName)
{
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0.0, QColor(0x2a, 0x5c, 0x9a));
    sky.setColorAt(1.0, QColor(0x7f, 0xa8, 0xd8));
    painter.fillRect(pixmap.rect(), sky);

    // A road running towards the horizon, the exchange's trade.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xce, 0xdc, 0xef, 90));
    const int w = size.width();
    const int h = size.height();
    painter.drawPolygon(QPolygon({QPoint(w * 6 / 10, h), QPoint(w, h), QPoint(w, h * 4 / 10)}));

    QFont title = painter.font();
    title.setPixelSize(h * 2 / 5);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(16, 0, w - 16, h * 2 / 3), Qt::AlignLeft | Qt::AlignBottom, appName);

    QFont motto = title;
    motto.setPixelSize(h / 6);
    motto.setBold(false);
    painter.setFont(motto);
    painter.setPen(QColor(0xce, 0xdc, 0xef));
    painter.drawText(QRect(18, h * 2 / 3, w - 18, h / 3), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("货运信息交易平台"));
    return pixmap;
}

void LoginBanner::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}
