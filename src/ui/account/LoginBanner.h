#pragma once

#include <QLabel>

// The picture across the top of the login window; a click on it asks for the home page.
class LoginBanner : public QLabel
{
    Q_OBJECT
public:
    explicit LoginBanner(QWidget* parent = nullptr);

    // Paints the banner in the theme colours with the application name.
    static QPixmap paint(const QSize& size, const QString& appName);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
