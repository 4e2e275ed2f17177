#include "FakeIMClient.h"

#include "im/IMClientError.h"

void FakeIMClient::failIfAsked(const char* what)
{
    if (failNext) {
        failNext = false;
        throw IMClientError(std::string("fake failure: ") + what);
    }
}

void FakeIMClient::connectToServer(const QString& user, const QString& password)
{
    failIfAsked("connectToServer");
    calls << QStringLiteral("connectToServer");
    connectedUser = user;
    connectedPassword = password;
}

void FakeIMClient::disconnectFromServer()
{
    calls << QStringLiteral("disconnectFromServer");
    const bool was = isConnected;
    isConnected = false;
    if (was)
        Q_EMIT OnDisconnected(0, QString());
}

QString FakeIMClient::sendMessage(const QString& peer, int messageType, const QString& text)
{
    failIfAsked("sendMessage");
    calls << QStringLiteral("sendMessage:%1:%2:%3").arg(peer).arg(messageType).arg(text);
    return QStringLiteral("id1");
}

void FakeIMClient::sendCommand(const QString& rawXml)
{
    failIfAsked("sendCommand");
    calls << QStringLiteral("sendCommand");
    commands << rawXml;
}

void FakeIMClient::addContact(const QString& jid, const QString& name, const QString& group)
{
    failIfAsked("addContact");
    calls << QStringLiteral("addContact:%1:%2:%3").arg(jid, name, group);
}

void FakeIMClient::subscribeTo(const QString& jid)
{
    failIfAsked("subscribeTo");
    calls << QStringLiteral("subscribeTo:%1").arg(jid);
}

void FakeIMClient::answerSubscription(const QString& jid, bool accept)
{
    failIfAsked("answerSubscription");
    calls << QStringLiteral("answerSubscription:%1:%2").arg(jid).arg(int(accept));
}

void FakeIMClient::removeContact(const QString& jid, const QString& name, const QString& group)
{
    failIfAsked("removeContact");
    calls << QStringLiteral("removeContact:%1:%2:%3").arg(jid, name, group);
}

QString FakeIMClient::contactId(int index) const
{
    if (index < 0 || index >= roster.size())
        throw IMClientError("Invalid array index value for BuddyId");
    return roster.at(index).jid;
}

QString FakeIMClient::contactRealName(int index) const
{
    if (index < 0 || index >= roster.size())
        throw IMClientError("Invalid array index value for BuddyRealName");
    return roster.at(index).name;
}

void FakeIMClient::raiseConnected()
{
    isConnected = true;
    Q_EMIT OnConnected(0, QString());
}
