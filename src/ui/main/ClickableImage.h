#pragma once

#include <QLabel>

// A picture (or caption) that acts on a left click, with its hint.
class ClickableImage : public QLabel
{
    Q_OBJECT
public:
    ClickableImage(const QString& name, const QString& hint, QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
