#include "FakeExchange.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QXmlStreamReader>

#include <memory>
#include <utility>

namespace {

QByteArray escapeXml(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

// A head without a length announces a body that ends when the connection does.
QByteArray head(int status, qint64 length)
{
    QByteArray text = "HTTP/1.1 " + QByteArray::number(status) + " X\r\n";
    text += "Content-Type: text/plain; charset=utf-8\r\n";
    if (length >= 0) {
        text += "Content-Length: " + QByteArray::number(length) + "\r\n";
    } else {
        text += "Connection: close\r\n";
    }
    return text + "\r\n";
}

QByteArray envelope(const QByteArray& inner)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\""
           " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""
           " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><SOAP-ENV:Body>" +
           inner + "</SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

} // namespace

FakeExchange::FakeExchange(QObject* parent) : QObject(parent), server(new QTcpServer(this))
{
    server->listen(QHostAddress::LocalHost, 0);
    connect(server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server->nextPendingConnection()) {
            serve(socket);
        }
    });
}

FakeExchange::~FakeExchange() = default;

quint16 FakeExchange::port() const
{
    return server->serverPort();
}

QString FakeExchange::site() const
{
    return QStringLiteral("http://www.localhost:%1").arg(port());
}

void FakeExchange::setRoute(const QString& path, const QByteArray& body, int status)
{
    routes[path] = Answer{status, body, Flow::Whole};
    routeFlows.remove(path);
}

void FakeExchange::hangRoute(const QString& path)
{
    setRouteFlow(path, Flow::Hang);
}

void FakeExchange::setRouteFlow(const QString& path, Flow flow)
{
    routeFlows[path] = flow;
}

void FakeExchange::setOperationFlow(const QString& operation, Flow flow)
{
    operationFlows[operation] = flow;
}

void FakeExchange::releaseHeld()
{
    const auto answers = std::exchange(held, {});
    for (const auto& answer : answers) {
        if (answer.first) {
            answer.first->write(answer.second);
        }
    }
}

void FakeExchange::setResult(const QString& operation, const QString& value)
{
    faults.remove(operation);
    results[operation] = value;
}

void FakeExchange::setFault(const QString& operation, const QString& text)
{
    results.remove(operation);
    faults[operation] = text;
}

QStringList FakeExchange::operations() const
{
    QStringList names;
    for (const Call& call : calls) {
        names.append(call.operation);
    }
    return names;
}

void FakeExchange::serve(QTcpSocket* socket)
{
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
        buffer->append(socket->readAll());
        Request request;
        while (takeRequest(*buffer, request)) {
            requests.append(request);
            respond(socket, answerFor(request));
        }
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void FakeExchange::respond(QTcpSocket* socket, const Answer& answer)
{
    switch (answer.flow) {
    case Flow::Whole:
        socket->write(head(answer.status, answer.body.size()) + answer.body);
        return;
    case Flow::Hang:
        return;
    case Flow::Truncated:
        socket->write(head(answer.status, answer.body.size()) +
                      answer.body.left(answer.body.size() / 2));
        socket->disconnectFromHost();
        return;
    case Flow::Held:
        held.append({socket, head(answer.status, answer.body.size()) + answer.body});
        return;
    case Flow::Trickle: {
        socket->write(head(answer.status, -1));
        auto* drip = new QTimer(socket);
        connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x", 1); });
        drip->start(TrickleIntervalMs);
        return;
    }
    case Flow::Flood:
    case Flow::FloodDeclared: {
        socket->write(head(answer.status, answer.flow == Flow::Flood ? -1 : qint64(1) << 30));
        // A client that never stops reading would fill the test machine's memory; it gets
        // FloodLimitBytes, far above any cap the tests set, and then the connection closes.
        const QByteArray chunk(64 * 1024, 'x');
        auto sent = std::make_shared<qint64>(0);
        auto refill = [socket, chunk, sent] {
            while (socket->state() == QAbstractSocket::ConnectedState &&
                   socket->bytesToWrite() < 4 * chunk.size()) {
                if (*sent >= FloodLimitBytes) {
                    socket->disconnectFromHost();
                    return;
                }
                socket->write(chunk);
                *sent += chunk.size();
            }
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, refill);
        refill();
        return;
    }
    }
}

bool FakeExchange::takeRequest(QByteArray& buffer, Request& request)
{
    const int headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0) {
        return false;
    }
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    request = Request();
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const int colon = line.indexOf(':');
        if (colon > 0) {
            request.headers[line.left(colon).trimmed().toLower()] = line.mid(colon + 1).trimmed();
        }
    }
    const int length = request.headers.value("content-length", "0").toInt();
    if (buffer.size() < headEnd + 4 + length) {
        return false;
    }
    const QList<QByteArray> first = lines.first().trimmed().split(' ');
    request.method = first.value(0);
    request.target = first.value(1);
    request.path = QUrl::fromPercentEncoding(request.target);
    request.body = buffer.mid(headEnd + 4, length);
    buffer.remove(0, headEnd + 4 + length);
    return true;
}

FakeExchange::Answer FakeExchange::answerFor(const Request& request)
{
    if (request.path == QLatin1String("/soap")) {
        return soapAnswer(request);
    }
    Answer answer = request.path == QLatin1String("/wsdl")
                        ? Answer{200, description(), Flow::Whole}
                        : routes.value(request.path, Answer{404, "not found", Flow::Whole});
    answer.flow = routeFlows.value(request.path, answer.flow);
    return answer;
}

FakeExchange::Answer FakeExchange::soapAnswer(const Request& request)
{
    Call call;
    call.soapAction = request.headers.value("soapaction");
    call.host = request.headers.value("host");
    QXmlStreamReader xml(request.body);
    int depth = 0;
    int operationDepth = -1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (operationDepth < 0 && xml.name() != QLatin1String("Envelope") &&
                xml.name() != QLatin1String("Body") && xml.name() != QLatin1String("Header")) {
                operationDepth = depth;
                call.operation = xml.name().toString();
                call.elementNamespace = xml.namespaceUri().toString();
            } else if (operationDepth >= 0 && depth == operationDepth + 1) {
                call.paramTypes.append(
                    xml.attributes()
                        .value(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                               QStringLiteral("type"))
                        .toString());
                const QString name = xml.name().toString();
                call.params.append({name, xml.readElementText()});
                --depth;
            }
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
    calls.append(call);
    Answer answer = soapResultOf(call);
    answer.flow = operationFlows.value(call.operation, Flow::Whole);
    return answer;
}

FakeExchange::Answer FakeExchange::soapResultOf(const Call& call) const
{
    if (faults.contains(call.operation)) {
        return Answer{500, envelope("<SOAP-ENV:Fault><faultcode>SOAP-ENV:Server</faultcode>"
                                    "<faultstring>" +
                                    escapeXml(faults.value(call.operation)) +
                                    "</faultstring></SOAP-ENV:Fault>")};
    }
    if (!results.contains(call.operation)) {
        return Answer{500, envelope("<SOAP-ENV:Fault><faultcode>SOAP-ENV:Client</faultcode>"
                                    "<faultstring>unscripted</faultstring></SOAP-ENV:Fault>")};
    }
    const QByteArray op = call.operation.toUtf8();
    return Answer{200, envelope("<ns1:" + op + "Response xmlns:ns1=\"urn:Marovinta_Service\">" +
                                "<return xsi:type=\"xsd:string\">" +
                                escapeXml(results.value(call.operation)) + "</return></ns1:" + op +
                                "Response>")};
}

QByteArray FakeExchange::description() const
{
    const QByteArray service = descriptionBroken ? "Other_Service" : "Marovinta_Service";
    return "<?xml version=\"1.0\"?>\n"
           "<definitions xmlns=\"http://schemas.xmlsoap.org/wsdl/\""
           " xmlns:soap=\"http://schemas.xmlsoap.org/wsdl/soap/\">\n"
           "  <service name=\"Unrelated\"><port name=\"Marovinta_ServicePort\">"
           "<soap:address location=\"http://wrong.localhost/\"/></port></service>\n"
           "  <service name=\"" +
           service +
           "\">\n"
           "    <port name=\"OtherPort\"><soap:address location=\"http://wrong.localhost/\"/>"
           "</port>\n"
           "    <port name=\"Marovinta_ServicePort\" binding=\"tns:b\">\n"
           "      <soap:address location=\"" +
           site().toUtf8() +
           "/soap\"/>\n"
           "    </port>\n"
           "  </service>\n"
           "</definitions>\n";
}
