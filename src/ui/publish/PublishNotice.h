#pragma once

#include <QWidget>

#include <functional>

class LinkLabel;
class QUrl;

// The notice every publishing window shows ("注意:" and the two lines) with the link lblLaw
// "免责声明", which opens the disclaimer page of the site ("/ad/law.html").
class PublishNotice : public QWidget
{
    Q_OBJECT
public:
    PublishNotice(std::function<void(const QUrl& url)> openUrl, QWidget* parent = nullptr);

    // The site address + "/ad/law.html".
    static QUrl disclaimerUrl();

    LinkLabel* lblLaw = nullptr;

private:
    std::function<void(const QUrl& url)> m_openUrl;
};
