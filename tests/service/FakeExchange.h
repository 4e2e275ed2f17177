#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

// A small scripted web site and listing service on 127.0.0.1 for tests that need exact
// control over the answers. Addressed as www.localhost:<port>, so every request also goes
// through the loopback rule. Unscripted paths answer 404; unscripted operations a fault.
// A path or an operation can also be answered in one of the ways of Flow.
class FakeExchange : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        QByteArray method;
        QByteArray target;                    // as on the request line
        QString path;                         // percent-decoded
        QMap<QByteArray, QByteArray> headers; // names lower case
        QByteArray body;
    };
    struct Call
    {
        QString operation;
        QString elementNamespace;
        QList<QPair<QString, QString>> params;
        QStringList paramTypes;
        QByteArray soapAction;
        QByteArray host;
    };
    enum class Flow
    {
        Whole,         // the answer at once
        Hang,          // no answer at all
        Held,          // the answer waits for releaseHeld()
        Trickle,       // the head, then one byte every TrickleIntervalMs, forever
        Flood,         // the head, then as much as the connection takes, without end
        FloodDeclared, // the same after a head announcing a body of 1 GiB
        Truncated,     // a head announcing the whole body, half of it, then the end
    };
    static constexpr int TrickleIntervalMs = 200;
    static constexpr qint64 FloodLimitBytes = qint64(64) * 1024 * 1024;

    struct Answer
    {
        int status = 200;
        QByteArray body;
        Flow flow = Flow::Whole;
    };

    explicit FakeExchange(QObject* parent = nullptr);
    ~FakeExchange() override;

    quint16 port() const;
    QString site() const; // "http://www.localhost:<port>"
    QString descriptionAddress() const { return site() + QStringLiteral("/wsdl"); }

    void setRoute(const QString& path, const QByteArray& body, int status = 200);
    void hangRoute(const QString& path);
    // How the path is answered, the service description's ("/wsdl") included.
    void setRouteFlow(const QString& path, Flow flow);
    void setOperationFlow(const QString& operation, Flow flow);
    // Sends the held answers.
    void releaseHeld();
    int heldCount() const { return held.size(); }
    // The value an operation returns, or a fault.
    void setResult(const QString& operation, const QString& value);
    void setFault(const QString& operation, const QString& text);
    // Serves a description without our service's endpoint.
    void breakDescription() { descriptionBroken = true; }

    QList<Request> requests;
    QList<Call> calls;
    QStringList operations() const;

private:
    void serve(QTcpSocket* socket);
    bool takeRequest(QByteArray& buffer, Request& request);
    Answer answerFor(const Request& request);
    Answer soapAnswer(const Request& request);
    Answer soapResultOf(const Call& call) const;
    void respond(QTcpSocket* socket, const Answer& answer);
    QByteArray description() const;

    QTcpServer* server;
    QMap<QString, Answer> routes;
    QMap<QString, QString> results;
    QMap<QString, QString> faults;
    QMap<QString, Flow> routeFlows;
    QMap<QString, Flow> operationFlows;
    QList<QPair<QPointer<QTcpSocket>, QByteArray>> held;
    bool descriptionBroken = false;
};

Q_DECLARE_METATYPE(FakeExchange::Flow)
