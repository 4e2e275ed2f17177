#pragma once

#include <QLabel>

// A label that acts as a link: underlined, a hand cursor, and a click on it (the left button
// released over it) emits clicked(). Disabled, it ignores clicks like a button does.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
