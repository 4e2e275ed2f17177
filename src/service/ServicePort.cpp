#include "service/ServicePort.h"

#include "app/SessionState.h"
#include "service/HttpClient.h"
#include "service/LoopbackAddress.h"

#include <KDSoapClient/KDSoapClientInterface.h>
#include <KDSoapClient/KDSoapMessage.h>
#include <KDSoapClient/KDSoapNamespaceManager.h>
#include <KDSoapClient/KDSoapPendingCallWatcher.h>
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

Marovinta_ServicePort::Marovinta_ServicePort(QObject* parent) : QObject(parent) {}

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

void Marovinta_ServicePort::setTimeoutMs(int ms)
{
    m_timeoutMs = ms;
    if (m_transport) {
        m_transport->setTimeout(ms);
    }
    if (m_descriptionClient) {
        m_descriptionClient->setTimeoutMs(ms);
    }
}

void Marovinta_ServicePort::fetchDescription(const QString& location)
{
    m_opening = true;
    m_descriptionClient = new HttpClient(this);
    m_descriptionClient->setTimeoutMs(m_timeoutMs);
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
    m_transport->setTimeout(m_timeoutMs);
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
    auto* watcher = new KDSoapPendingCallWatcher(
        m_transport->asyncCall(pending.operation, message, action), this);
    connect(watcher, &KDSoapPendingCallWatcher::finished, this,
            [done = pending.done](KDSoapPendingCallWatcher* finished) {
                const ServiceResult result = resultOf(*finished);
                finished->deleteLater();
                done(result);
            });
}

Marovinta_ServicePort* OpenServicePort(bool descriptionMode, const QString& location,
                                       QObject* parent)
{
    auto* port = new Marovinta_ServicePort(parent);
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
