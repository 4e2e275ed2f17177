#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

// A small scripted web site and listing service on 127.0.0.1 for tests that need exact
// control over the answers. Addressed as www.localhost:<port>, so every request also goes
// through the loopback rule. Unscripted paths answer 404; unscripted operations a fault.
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
    struct Answer
    {
        int status = 200;
        QByteArray body;
        bool hang = false; // never answer
    };

    explicit FakeExchange(QObject* parent = nullptr);
    ~FakeExchange() override;

    quint16 port() const;
    QString site() const; // "http://www.localhost:<port>"
    QString descriptionAddress() const { return site() + QStringLiteral("/wsdl"); }

    void setRoute(const QString& path, const QByteArray& body, int status = 200);
    void hangRoute(const QString& path);
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
    QByteArray description() const;

    QTcpServer* server;
    QMap<QString, Answer> routes;
    QMap<QString, QString> results;
    QMap<QString, QString> faults;
    bool descriptionBroken = false;
};
