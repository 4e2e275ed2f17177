#pragma once

#include <QWidget>

// pbTel: the poster's contact text, painted at (5, 5) in the box's font so that it cannot be
// selected or copied.
class ContactPaintBox : public QWidget
{
    Q_OBJECT
public:
    explicit ContactPaintBox(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
