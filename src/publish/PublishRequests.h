#pragma once

#include <QString>

class IMClient;

// The four publish requests. Each returns at once when the client is not connected;
// otherwise it builds the stanza for the host (the configured HostName), transforms the
// contact (DES hex for cargo, field scrambling for the others) and writes the stanza with
// sendCommand. Send errors are logged, not raised. Each returns whether the stanza was handed
// to a connected client: the windows report success only then.

bool PublishCargo(IMClient& client, const QString& host, const QString& title,
                  const QString& fromcity, const QString& tocity, const QString& position,
                  const QString& sender, const QString& category, const QString& isrc,
                  const QString& contact);

bool PublishAirPrice(IMClient& client, const QString& host, const QString& starcn,
                     const QString& starten, const QString& endcn, const QString& enden,
                     const QString& airline, const QString& cycle, const QString& price,
                     const QString& days, const QString& aircompany, const QString& direct,
                     const QString& sender, const QString& contact, const QString& mem);

bool PublishSeaLine(IMClient& client, const QString& host, const QString& startport,
                    const QString& toport, const QString& passport, const QString& duty,
                    const QString& days, const QString& sdirect, const QString& scomp,
                    const QString& line, const QString& portseq, const QString& sender,
                    const QString& contact);

bool PublishTrianInfo(IMClient& client, const QString& host, const QString& triannum,
                      const QString& startcity, const QString& startport1,
                      const QString& startport2, const QString& toport1, const QString& toport2,
                      const QString& tocity, const QString& cycle, const QString& starttime,
                      const QString& totime, const QString& hours, const QString& sender,
                      const QString& contact);

// The sender value: the part of the login identity before the first "@" (empty without "@").
QString PublishSenderOf(const QString& loginIdentity);
