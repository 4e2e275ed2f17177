#pragma once

#include "update/TauAutoUpgrader.h"

#include <QStringList>
#include <QTest>

// Records the update component's events in order as short words and answers its in/out
// flags as a test sets them; also stands in for the program starter and the browser.
struct UpgraderEvents
{
    QStringList events;
    QStringList doneFiles;
    QStringList lostUrls;
    QString message;
    bool mayProceed = true;
    bool continueAfterLost = false;
    bool starterSucceeds = true;
    QString startedProgram;
    QStringList startedArguments;
    QList<QUrl> openedUrls;

    void attach(TauAutoUpgrader& upgrader)
    {
        using U = TauAutoUpgrader;
        QObject::connect(&upgrader, &U::beginUpgrade, &upgrader,
                         [this](const QString& text, bool* proceed, const QStringList&, int) {
                             message = text;
                             *proceed = mayProceed;
                             events << "begin";
                         });
        QObject::connect(&upgrader, &U::laterUpgrade, [this] { events << "later"; });
        QObject::connect(&upgrader, &U::fileStart, [this] { events << "start"; });
        QObject::connect(&upgrader, &U::fileDone, [this](const QString& name) {
            doneFiles << name;
            events << "done";
        });
        QObject::connect(&upgrader, &U::endUpgrade, [this] { events << "end"; });
        QObject::connect(&upgrader, &U::noUpdateAvailable, [this] { events << "noupdate"; });
        QObject::connect(&upgrader, &U::noInformationFile, [this] { events << "noinfo"; });
        QObject::connect(&upgrader, &U::fileLost,
                         [this](const QString& url, bool* continueUpgrade, int status) {
                             lostUrls << url;
                             *continueUpgrade = continueAfterLost;
                             events << QStringLiteral("lost%1").arg(status);
                         });
        QObject::connect(&upgrader, &U::hostUnreachable, [this] { events << "unreachable"; });
        QObject::connect(&upgrader, &U::connectionLost, [this] { events << "connectionlost"; });
        QObject::connect(&upgrader, &U::aborted, [this] { events << "aborted"; });
        QObject::connect(&upgrader, &U::installed, [this] { events << "installed"; });
        QObject::connect(&upgrader, &U::afterRestart, [this] { events << "afterrestart"; });
        upgrader.setProgramStarter([this](const QString& program, const QStringList& args) {
            startedProgram = program;
            startedArguments = args;
            return starterSucceeds;
        });
        upgrader.setUrlOpener([this](const QUrl& url) {
            openedUrls << url;
            return true;
        });
    }

    // True once one of the events that end a check has come.
    bool ended() const
    {
        static const QStringList endings{"installed",      "noupdate", "noinfo", "unreachable",
                                         "connectionlost", "aborted",  "later"};
        for (const QString& event : events) {
            if (endings.contains(event))
                return true;
        }
        return false;
    }
    bool waitForEnd(int timeoutMs = 15000)
    {
        return QTest::qWaitFor([this] { return ended(); }, timeoutMs);
    }
};
