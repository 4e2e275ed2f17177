#pragma once

#include "service/LoaderJob.h"

class HttpClient;
struct HttpReply;

// The base-information fetch started with the login window: the customer-service URL, then
// the fee areas, both into the session. An error ends it; what was stored stays.
class TGetBaseInfoThd : public LoaderJob
{
    Q_OBJECT
public:
    explicit TGetBaseInfoThd(QObject* parent = nullptr);

    // The `area` texts of a fee answer (a JSON list of objects); empty when unreadable.
    static QStringList feeAreasOf(const QString& answerText);

protected:
    void run() override;

private:
    void csrUrlArrived(const HttpReply& reply);
    void feeArrived(const HttpReply& reply);

    HttpClient* m_client = nullptr;
};
