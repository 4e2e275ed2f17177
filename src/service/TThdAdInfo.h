#pragma once

#include "service/LoaderJob.h"

#include <QString>

class HttpClient;
class ListingView;
struct HttpReply;

// The advertisement fetch after each roster reception: advertisement list, agent contact and
// national count, in this order. A failed request ends it at once; otherwise the window gets
// the rotation timer, Label3, the national count and, with an agent contact, the caption.
class TThdAdInfo : public LoaderJob
{
    Q_OBJECT
public:
    explicit TThdAdInfo(ListingView* view, QObject* parent = nullptr);

    // "全国:" + count, or "选择地区信息" for an empty count text.
    static QString label3Text(const QString& countText);
    // AppName + " 版本:" + AppVersion + " - 入网及服务：" + contact.
    static QString captionWith(const QString& appName, const QString& appVersion,
                               const QString& contact);

    bool succeeded() const { return m_success; }

protected:
    void run() override;

private:
    void adListArrived(const HttpReply& reply);
    void contactArrived(const HttpReply& reply);
    void countArrived(const HttpReply& reply);
    void apply();

    ListingView* const m_view;
    HttpClient* m_client = nullptr;
    QString m_city;
    QString m_adListText;
    QString m_agentContact;
    QString m_countText;
    bool m_success = false;
};
