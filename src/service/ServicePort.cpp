#include "service/ServicePort.h"

#include "app/SessionState.h"
#include "service/HttpClient.h"
#include "service/LoopbackAddress.h"
#include "service/ReplyGuard.h"
#include "service/ServiceLog.h"

#include <KDSoapClient/KDSoapClientInterface.h>
#include <KDSoapClient/KDSoapMessage.h>
#include <KDSoapClient/KDSoapNamespaceManager.h>
#include <KDSoapClient/KDSoapPendingCallWatcher.h>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QXmlStreamReader>

#include <utility>

const char* const Marovinta_ServicePort::ServiceName = "Marovinta_Service";
const char* const Marovinta_ServicePort::PortName = "Marovinta_ServicePort";
const char* const Marovinta_ServicePort::Namespace = "urn:Marovinta_Service";
const char* const Marovinta_ServicePort::ActionPrefix = "urn:Marovinta_Service#Cargo#";

namespace {

const QString descriptionPath = QStringLiteral("/w/index.php/Service/index/wsdl/1");

QString attribute(const QXmlStreamReader& xml, const char* name)
{
    return xml.attributes().value(QLatin1String(name)).toString();
}

ServiceResult resultOf(const KDSoapPendingCallWatcher& watcher)
{
    ServiceResult result;
    const KDSoapMessage answer = watcher.returnMessage();
    if (answer.isFault()) {
        result.error = answer.faultAsString();
        return result;
    }
    if (answer.childValues().isEmpty()) {
        result.error = QStringLiteral("the service answered without a return value");
        return result;
    }
    result.ok = true;
    result.value = answer.childValues().first().value().toString();
    return result;
}

} // namespace

Marovinta_ServicePort::Marovinta_ServicePort(const HttpLimits& limits, QObject* parent)
    : QObject(parent), m_limits(limits)
{}

Marovinta_ServicePort::~Marovinta_ServicePort() = default;

QString Marovinta_ServicePort::defaultLocation(bool descriptionMode, const QString& hostName)
{
    if (descriptionMode) {
        return QStringLiteral("http://www.") + hostName + descriptionPath;
    }
    return QStringLiteral("http://www.") + hostName + QStringLiteral(":80") + descriptionPath +
           QLatin1Char('/');
}

QString Marovinta_ServicePort::endpointFromDescription(const QByteArray& wsdl)
{
    QXmlStreamReader xml(wsdl);
    bool inService = false;
    bool inPort = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("service")) {
                inService = false;
            } else if (xml.name() == QLatin1String("port")) {
                inPort = false;
            }
            continue;
        }
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("service")) {
            inService = attribute(xml, "name") == QLatin1String(ServiceName);
        } else if (inService && xml.name() == QLatin1String("port")) {
            inPort = attribute(xml, "name") == QLatin1String(PortName);
        } else if (inPort && xml.name() == QLatin1String("address")) {
            return attribute(xml, "location");
        }
    }
    return QString();
}

void Marovinta_ServicePort::fetchDescription(const QString& location)
{
    m_opening = true;
    m_descriptionClient = new HttpClient(this);
    m_descriptionClient->setLimits(m_limits);
    m_descriptionClient->getUrl(QUrl(location), [this, location](const HttpReply& reply) {
        m_opening = false;
        m_descriptionClient->deleteLater();
        m_descriptionClient = nullptr;
        if (!reply.ok) {
            failPending(QStringLiteral("service description %1: %2").arg(location, reply.error));
            return;
        }
        const QString endpoint = endpointFromDescription(reply.body);
        if (endpoint.isEmpty()) {
            failPending(QStringLiteral("service description %1 names no endpoint for %2/%3")
                            .arg(location, QLatin1String(ServiceName), QLatin1String(PortName)));
            return;
        }
        useEndpoint(endpoint);
    });
}

void Marovinta_ServicePort::useEndpoint(const QString& url)
{
    m_endpointUrl = url;
    const QUrl endpoint(url);
    m_transport = std::make_unique<KDSoapClientInterface>(
        LoopbackAddress::connectUrl(endpoint).toString(), QLatin1String(Namespace));
    m_transport->setStyle(KDSoapClientInterface::RPCStyle);
    m_transport->setSoapVersion(KDSoapClientInterface::SOAP1_1);
    // Each call has its own deadline (send); the transport's would only be a second one.
    m_transport->setTimeout(-1);
    // The transport keeps its network manager to itself; the default cookie jar it hands out
    // belongs to that manager, which is how the replies of our calls are found to hold them
    // to the answer cap. Without it calls keep their deadline, only the cap is missing.
    m_transportNetwork = qobject_cast<QNetworkAccessManager*>(m_transport->cookieJar()->parent());
    if (!m_transportNetwork) {
        qCWarning(lcService) << "the SOAP transport's network manager is out of reach;"
                             << "service answers are not held to a size cap";
    }
    if (LoopbackAddress::isLoopbackName(endpoint.host())) {
        QMap<QByteArray, QByteArray> headers;
        headers.insert("Host", LoopbackAddress::hostHeader(endpoint));
        m_transport->setRawHTTPHeaders(headers);
    }
    const auto ready = std::exchange(m_waiting, {});
    for (const PendingCall& pending : ready) {
        send(pending);
    }
}

void Marovinta_ServicePort::failPending(const QString& error)
{
    m_openError = error;
    const auto failed = std::exchange(m_waiting, {});
    for (const PendingCall& pending : failed) {
        ServiceResult result;
        result.error = error;
        pending.done(result);
    }
}

void Marovinta_ServicePort::call(const QString& operation, const ServiceParams& params,
                                 ServiceCallback done)
{
    PendingCall pending{operation, params, std::move(done)};
    if (m_transport) {
        send(pending);
    } else if (m_opening) {
        m_waiting.append(pending);
    } else {
        // The description could not be used; answer after the call returned, like a reply.
        QTimer::singleShot(0, this, [this, pending] {
            ServiceResult result;
            result.error = m_openError;
            pending.done(result);
        });
    }
}

QList<QNetworkReply*> Marovinta_ServicePort::transportReplies() const
{
    if (!m_transportNetwork) {
        return {};
    }
    return m_transportNetwork->findChildren<QNetworkReply*>(QString(), Qt::FindDirectChildrenOnly);
}

void Marovinta_ServicePort::send(const PendingCall& pending)
{
    KDSoapMessage message;
    message.setUse(KDSoapMessage::EncodedUse);
    for (const auto& param : pending.params) {
        message.addArgument(param.first, param.second, KDSoapNamespaceManager::xmlSchema2001(),
                            QStringLiteral("string"));
    }
    // The transport types every accessor (xsi:type) but names no encoding; a server reading
    // RPC/encoded messages strictly wants the SOAP encoding named on the operation element.
    KDSoapValue encodingStyle(QStringLiteral("encodingStyle"),
                              KDSoapNamespaceManager::soapEncoding());
    encodingStyle.setNamespaceUri(KDSoapNamespaceManager::soapEnvelope());
    encodingStyle.setQualified(true);
    message.childValues().attributes().append(encodingStyle);
    const QString action = QLatin1String(ActionPrefix) + pending.operation;
    const QList<QNetworkReply*> before = transportReplies();
    auto* watcher = new KDSoapPendingCallWatcher(
        m_transport->asyncCall(pending.operation, message, action), this);

    // The reply the call just started is the one the manager did not have before.
    QPointer<ReplyGuard> guard;
    for (QNetworkReply* reply : transportReplies()) {
        if (!before.contains(reply)) {
            guard = new ReplyGuard(reply, HttpLimits{0, m_limits.maxAnswerBytes},
                                   ReplyGuard::Body::Leave);
            break;
        }
    }

    QPointer<QTimer> deadline;
    if (m_limits.deadlineMs > 0) {
        deadline = new QTimer(this);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, this,
                [this, watcher, deadline, operation = pending.operation, done = pending.done] {
                    const QString reason =
                        QStringLiteral("service call %1 abandoned: no answer within %2 ms")
                            .arg(operation)
                            .arg(m_limits.deadlineMs);
                    qCWarning(lcService) << reason;
                    deadline->deleteLater();
                    // The watcher holds the last reference to the pending call; dropping it
                    // cancels the request.
                    watcher->disconnect(this);
                    delete watcher;
                    ServiceResult result;
                    result.error = reason;
                    done(result);
                });
        deadline->start(m_limits.deadlineMs);
    }
    connect(watcher, &KDSoapPendingCallWatcher::finished, this,
            [deadline, guard, done = pending.done](KDSoapPendingCallWatcher* finished) {
                if (deadline) {
                    deadline->stop();
                    deadline->deleteLater();
                }
                ServiceResult result;
                if (guard && !guard->abandonReason().isEmpty()) {
                    result.error = guard->abandonReason();
                } else {
                    result = resultOf(*finished);
                }
                finished->deleteLater();
                done(result);
            });
}

Marovinta_ServicePort* OpenServicePort(bool descriptionMode, const QString& location,
                                       QObject* parent, const HttpLimits& limits)
{
    auto* port = new Marovinta_ServicePort(limits, parent);
    const QString where =
        location.trimmed().isEmpty()
            ? Marovinta_ServicePort::defaultLocation(descriptionMode, session().HostName)
            : location.trimmed();
    if (descriptionMode) {
        port->fetchDescription(where);
    } else {
        port->useEndpoint(where);
    }
    return port;
}

// The eleven operations, parameters named and ordered as the service expects them.

void Marovinta_ServicePort::cargoListpro(const QString& fromcity, const QString& tocity,
                                         const QString& category, const QString& pagenumber,
                                         const QString& ssticket, const QString& blocal,
                                         ServiceCallback done)
{
    call(QStringLiteral("cargoListpro"),
         {{QStringLiteral("fromcity"), fromcity},
          {QStringLiteral("tocity"), tocity},
          {QStringLiteral("category"), category},
          {QStringLiteral("pagenumber"), pagenumber},
          {QStringLiteral("ssticket"), ssticket},
          {QStringLiteral("blocal"), blocal}},
         std::move(done));
}

void Marovinta_ServicePort::cargoSearch(const QString& fromcity, const QString& tocity,
                                        const QString& category, const QString& citytype,
                                        const QString& pagenumber, const QString& ssticket,
                                        const QString& blocal, ServiceCallback done)
{
    call(QStringLiteral("cargoSearch"),
         {{QStringLiteral("fromcity"), fromcity},
          {QStringLiteral("tocity"), tocity},
          {QStringLiteral("category"), category},
          {QStringLiteral("citytype"), citytype},
          {QStringLiteral("pagenumber"), pagenumber},
          {QStringLiteral("ssticket"), ssticket},
          {QStringLiteral("blocal"), blocal}},
         std::move(done));
}

void Marovinta_ServicePort::cargoCount(const QString& fromcity, const QString& tocity,
                                       const QString& category, const QString& ssticket,
                                       const QString& blocal, ServiceCallback done)
{
    call(QStringLiteral("cargoCount"),
         {{QStringLiteral("fromcity"), fromcity},
          {QStringLiteral("tocity"), tocity},
          {QStringLiteral("category"), category},
          {QStringLiteral("ssticket"), ssticket},
          {QStringLiteral("blocal"), blocal}},
         std::move(done));
}

void Marovinta_ServicePort::getAirPriceList(const QString& airLine, const QString& aircompany,
                                            const QString& startcn, const QString& starten,
                                            const QString& pagenumber, const QString& ssticket,
                                            ServiceCallback done)
{
    call(QStringLiteral("getAirPriceList"),
         {{QStringLiteral("airLine"), airLine},
          {QStringLiteral("aircompany"), aircompany},
          {QStringLiteral("startcn"), startcn},
          {QStringLiteral("starten"), starten},
          {QStringLiteral("pagenumber"), pagenumber},
          {QStringLiteral("ssticket"), ssticket}},
         std::move(done));
}

void Marovinta_ServicePort::getAirPriceCount(const QString& airLine, const QString& aircompany,
                                             const QString& startcn, const QString& starten,
                                             const QString& ssticket, ServiceCallback done)
{
    call(QStringLiteral("getAirPriceCount"),
         {{QStringLiteral("airLine"), airLine},
          {QStringLiteral("aircompany"), aircompany},
          {QStringLiteral("startcn"), startcn},
          {QStringLiteral("starten"), starten},
          {QStringLiteral("ssticket"), ssticket}},
         std::move(done));
}

void Marovinta_ServicePort::getSealineCount(const QString& startport, const QString& toport,
                                            const QString& company, const QString& sealine,
                                            const QString& sticket, ServiceCallback done)
{
    call(QStringLiteral("getSealineCount"),
         {{QStringLiteral("startport"), startport},
          {QStringLiteral("toport"), toport},
          {QStringLiteral("company"), company},
          {QStringLiteral("sealine"), sealine},
          {QStringLiteral("sticket"), sticket}},
         std::move(done));
}

void Marovinta_ServicePort::getSealineList(const QString& startport, const QString& toport,
                                           const QString& company, const QString& sealine,
                                           const QString& pagenumber, const QString& sticket,
                                           ServiceCallback done)
{
    call(QStringLiteral("getSealineList"),
         {{QStringLiteral("startport"), startport},
          {QStringLiteral("toport"), toport},
          {QStringLiteral("company"), company},
          {QStringLiteral("sealine"), sealine},
          {QStringLiteral("pagenumber"), pagenumber},
          {QStringLiteral("sticket"), sticket}},
         std::move(done));
}

void Marovinta_ServicePort::getTrianCount(const QString& triamnum, const QString& fromcity,
                                          const QString& startport2, const QString& toport2,
                                          const QString& tocity, const QString& sticket,
                                          ServiceCallback done)
{
    call(QStringLiteral("getTrianCount"),
         {{QStringLiteral("triamnum"), triamnum},
          {QStringLiteral("fromcity"), fromcity},
          {QStringLiteral("startport2"), startport2},
          {QStringLiteral("toport2"), toport2},
          {QStringLiteral("tocity"), tocity},
          {QStringLiteral("sticket"), sticket}},
         std::move(done));
}

void Marovinta_ServicePort::getTrianList(const QString& triamnum, const QString& fromcity,
                                         const QString& startport2, const QString& toport2,
                                         const QString& tocity, const QString& pagenumber,
                                         const QString& sticket, ServiceCallback done)
{
    call(QStringLiteral("getTrianList"),
         {{QStringLiteral("triamnum"), triamnum},
          {QStringLiteral("fromcity"), fromcity},
          {QStringLiteral("startport2"), startport2},
          {QStringLiteral("toport2"), toport2},
          {QStringLiteral("tocity"), tocity},
          {QStringLiteral("pagenumber"), pagenumber},
          {QStringLiteral("sticket"), sticket}},
         std::move(done));
}

void Marovinta_ServicePort::orderInfo(const QString& citylst, const QString& pagenumber,
                                      const QString& ssticket, ServiceCallback done)
{
    call(QStringLiteral("orderInfo"),
         {{QStringLiteral("citylst"), citylst},
          {QStringLiteral("pagenumber"), pagenumber},
          {QStringLiteral("ssticket"), ssticket}},
         std::move(done));
}

void Marovinta_ServicePort::orderInfoCount(const QString& citylst, const QString& ssticket,
                                           ServiceCallback done)
{
    call(QStringLiteral("orderInfoCount"),
         {{QStringLiteral("citylst"), citylst}, {QStringLiteral("ssticket"), ssticket}},
         std::move(done));
}
