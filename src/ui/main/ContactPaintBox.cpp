#include "ui/main/ContactPaintBox.h"

#include <QPainter>

ContactPaintBox::ContactPaintBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pbTel"));
    setMinimumHeight(44);
}

void ContactPaintBox::setText(const QString& text)
{
    m_text = text;
    update();
}

void ContactPaintBox::paintEvent(QPaintEvent*)
{
    if (m_text.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(QColor(0x1F, 0x3A, 0x68));
    painter.setFont(font());
    // Wrapped inside the box; the text is plain, whatever the poster typed.
    painter.drawText(QRect(5, 5, width() - 10, height() - 10),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_text);
}
