#include "publish/PublishRequests.h"

#include "core/DesCipher.h"
#include "core/FieldScrambler.h"
#include "core/Keys.h"
#include "im/IMClient.h"
#include "publish/PublishLog.h"
#include "publish/PublishStanza.h"

#include <exception>

namespace {

// Hands the stanza to the client; a failed send is logged and answered with false.
bool sendQuietly(IMClient& client, const QString& stanza)
{
    try {
        client.sendCommand(stanza);
        return true;
    } catch (const std::exception& e) {
        qCWarning(lcPublish) << "sending a publish request failed:" << e.what();
        return false;
    }
}

QString cipheredContact(const QString& contact)
{
    return DesEncryptHex(contact, QString::fromLatin1(kConfigurationKey));
}

} // namespace

QString PublishSenderOf(const QString& loginIdentity)
{
    const int at = loginIdentity.indexOf(QLatin1Char('@'));
    return at < 0 ? QString() : loginIdentity.left(at);
}

bool PublishCargo(IMClient& client, const QString& host, const QString& title,
                  const QString& fromcity, const QString& tocity, const QString& position,
                  const QString& sender, const QString& category, const QString& isrc,
                  const QString& contact)
{
    if (!client.connected())
        return false;
    QString stanza;
    try {
        stanza = PublishStanza::cargo(host, title, fromcity, tocity, position, sender, category,
                                      isrc, cipheredContact(contact));
    } catch (const std::exception& e) {
        // A contact the cipher refuses: nothing is sent.
        qCWarning(lcPublish) << "enciphering the cargo contact failed:" << e.what();
        return false;
    }
    return sendQuietly(client, stanza);
}

bool PublishAirPrice(IMClient& client, const QString& host, const QString& starcn,
                     const QString& starten, const QString& endcn, const QString& enden,
                     const QString& airline, const QString& cycle, const QString& price,
                     const QString& days, const QString& aircompany, const QString& direct,
                     const QString& sender, const QString& contact, const QString& mem)
{
    if (!client.connected())
        return false;
    return sendQuietly(client, PublishStanza::airPrice(host, starcn, starten, endcn, enden, airline,
                                                       cycle, price, days, aircompany, direct,
                                                       sender, ScrambleField(contact), mem));
}

bool PublishSeaLine(IMClient& client, const QString& host, const QString& startport,
                    const QString& toport, const QString& passport, const QString& duty,
                    const QString& days, const QString& sdirect, const QString& scomp,
                    const QString& line, const QString& portseq, const QString& sender,
                    const QString& contact)
{
    if (!client.connected())
        return false;
    return sendQuietly(client, PublishStanza::seaLine(host, startport, toport, passport, duty, days,
                                                      sdirect, scomp, line, portseq, sender,
                                                      ScrambleField(contact)));
}

bool PublishTrianInfo(IMClient& client, const QString& host, const QString& triannum,
                      const QString& startcity, const QString& startport1,
                      const QString& startport2, const QString& toport1, const QString& toport2,
                      const QString& tocity, const QString& cycle, const QString& starttime,
                      const QString& totime, const QString& hours, const QString& sender,
                      const QString& contact)
{
    if (!client.connected())
        return false;
    return sendQuietly(client,
                       PublishStanza::trianInfo(host, triannum, startcity, startport1, startport2,
                                                toport1, toport2, tocity, cycle, starttime, totime,
                                                hours, sender, ScrambleField(contact)));
}
