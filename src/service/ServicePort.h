#pragma once

#include "service/HttpLimits.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class HttpClient;
class KDSoapClientInterface;
class QNetworkAccessManager;
class QNetworkReply;

// The outcome of one service call: the returned string, or why there is none (transport,
// HTTP status, SOAP fault, unreadable answer, description without the endpoint).
struct ServiceResult
{
    bool ok = false;
    QString value;
    QString error;
};

using ServiceCallback = std::function<void(const ServiceResult&)>;
using ServiceParams = QList<QPair<QString, QString>>;

// Client of the listing service: RPC style, SOAP encoding, every parameter a string.
// In description mode the endpoint comes from the service description, fetched when the port
// is opened; calls made before it arrived wait for it. Callbacks run on the UI thread, once
// per call, never before the call returns and never after the port was destroyed.
// The description fetch and every call run within the port's limits: a call without its
// answer at the deadline is abandoned, as is one whose answer grows beyond the cap; both
// come back as failed calls.
class Marovinta_ServicePort : public QObject
{
    Q_OBJECT
public:
    static const char* const ServiceName;  // "Marovinta_Service"
    static const char* const PortName;     // "Marovinta_ServicePort"
    static const char* const Namespace;    // "urn:Marovinta_Service"
    static const char* const ActionPrefix; // "urn:Marovinta_Service#Cargo#"

    ~Marovinta_ServicePort() override;

    void cargoListpro(const QString& fromcity, const QString& tocity, const QString& category,
                      const QString& pagenumber, const QString& ssticket, const QString& blocal,
                      ServiceCallback done);
    void cargoSearch(const QString& fromcity, const QString& tocity, const QString& category,
                     const QString& citytype, const QString& pagenumber, const QString& ssticket,
                     const QString& blocal, ServiceCallback done);
    void cargoCount(const QString& fromcity, const QString& tocity, const QString& category,
                    const QString& ssticket, const QString& blocal, ServiceCallback done);
    void getAirPriceList(const QString& airLine, const QString& aircompany, const QString& startcn,
                         const QString& starten, const QString& pagenumber, const QString& ssticket,
                         ServiceCallback done);
    void getAirPriceCount(const QString& airLine, const QString& aircompany, const QString& startcn,
                          const QString& starten, const QString& ssticket, ServiceCallback done);
    void getSealineCount(const QString& startport, const QString& toport, const QString& company,
                         const QString& sealine, const QString& sticket, ServiceCallback done);
    void getSealineList(const QString& startport, const QString& toport, const QString& company,
                        const QString& sealine, const QString& pagenumber, const QString& sticket,
                        ServiceCallback done);
    void getTrianCount(const QString& triamnum, const QString& fromcity, const QString& startport2,
                       const QString& toport2, const QString& tocity, const QString& sticket,
                       ServiceCallback done);
    void getTrianList(const QString& triamnum, const QString& fromcity, const QString& startport2,
                      const QString& toport2, const QString& tocity, const QString& pagenumber,
                      const QString& sticket, ServiceCallback done);
    void orderInfo(const QString& citylst, const QString& pagenumber, const QString& ssticket,
                   ServiceCallback done);
    void orderInfoCount(const QString& citylst, const QString& ssticket, ServiceCallback done);

    // Any operation by name with its parameters in order.
    void call(const QString& operation, const ServiceParams& params, ServiceCallback done);

    // The endpoint in use; empty while the description is still being fetched or failed.
    QString endpoint() const { return m_endpointUrl; }
    const HttpLimits& limits() const { return m_limits; }

    // The endpoint named for our service and port in a service description, or empty.
    static QString endpointFromDescription(const QByteArray& wsdl);
    // The built-in location of each mode when none is configured.
    static QString defaultLocation(bool descriptionMode, const QString& hostName);

private:
    friend Marovinta_ServicePort* OpenServicePort(bool, const QString&, QObject*,
                                                  const HttpLimits&);
    Marovinta_ServicePort(const HttpLimits& limits, QObject* parent);

    struct PendingCall
    {
        QString operation;
        ServiceParams params;
        ServiceCallback done;
    };

    void fetchDescription(const QString& location);
    void useEndpoint(const QString& url);
    void failPending(const QString& error);
    void send(const PendingCall& pending);
    QList<QNetworkReply*> transportReplies() const;

    std::unique_ptr<KDSoapClientInterface> m_transport;
    HttpClient* m_descriptionClient = nullptr;
    // The network manager inside the SOAP transport, where it could be found (see send).
    QNetworkAccessManager* m_transportNetwork = nullptr;
    QString m_endpointUrl;
    QString m_openError;
    bool m_opening = false;
    const HttpLimits m_limits;
    QList<PendingCall> m_waiting;
};

// Opens a port. Description mode: `location` is the service description's address;
// otherwise it is the endpoint itself. An empty location takes the built-in default made from
// the session's HostName. Returns a port owned by `parent` (or the caller when null), whose
// description fetch and calls run within `limits`.
Marovinta_ServicePort* OpenServicePort(bool descriptionMode, const QString& location,
                                       QObject* parent = nullptr,
                                       const HttpLimits& limits = HttpLimits());
