#pragma once

#include "im/IMSessionHost.h"

#include <QMap>
#include <QStringList>

// An IMSessionHost that records what the session asks of the main window.
class RecordingSessionHost : public IMSessionHost
{
public:
    void writeMainSettings() override { steps << "writeMainSettings"; }
    void startProfileFetch() override { steps << "startProfileFetch"; }
    void startAdvertisementFetch() override
    {
        steps << "startAdvertisementFetch";
        ++syncs;
    }
    void setConnectionText(const QString& text, ConnectionTone tone) override
    {
        if (!text.isEmpty())
            connText = text;
        connTone = tone;
    }
    void setEndDateText(const QString& text) override { endDate = text; }
    void setTrayHint(const QString& text) override { trayHint = text; }
    QString applicationTitle() const override { return QStringLiteral("Tovanta"); }
    void setMenuEnabled(SessionMenu item, bool enabled) override { menus[item] = enabled; }
    bool runLoginAgain() override
    {
        steps << "runLoginAgain";
        return loginAgainResult;
    }

    QStringList steps;
    int syncs = 0; // advertisement fetches: one per roster sync
    QString connText, endDate, trayHint;
    ConnectionTone connTone = Normal;
    QMap<int, bool> menus;
    bool loginAgainResult = true;
};
