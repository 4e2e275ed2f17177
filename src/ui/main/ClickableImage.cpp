#include "ui/main/ClickableImage.h"

#include <QMouseEvent>

ClickableImage::ClickableImage(const QString& name, const QString& hint, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    setToolTip(hint);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()))
        Q_EMIT clicked();
}
