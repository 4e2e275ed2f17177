// The sea window's port sequence builder, its checks in order and the request as sent.
#include "FakeIMClient.h"
#include "StanzaFields.h"
#include "core/FieldScrambler.h"
#include "publish/PublishAccount.h"
#include "publish/SeaLinePublication.h"

#include <QtTest>

namespace {

SeaLinePublication::Fields fields()
{
    SeaLinePublication::Fields f;
    f.startport = QStringLiteral("SHANGHAI");
    f.toport = QStringLiteral("ROTTERDAM");
    f.duty = QStringLiteral("周一");
    f.days = QStringLiteral("30");
    f.sdirect = QStringLiteral("海运直达");
    f.scomp = QStringLiteral("中远");
    f.line = QStringLiteral("欧洲线");
    f.portseq = QStringLiteral("SHANGHAI-ROTTERDAM");
    return f;
}

} // namespace

class SeaLinePublicationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void portsJoinWithDashes();
    void refusals_data();
    void refusals();
    void requestAsSent();
};

void SeaLinePublicationTest::portsJoinWithDashes()
{
    QString sequence;
    QVERIFY(SeaLinePublication::addPort(sequence, QStringLiteral(" A ")));
    QVERIFY(!SeaLinePublication::addPort(sequence, QStringLiteral("   ")));
    QVERIFY(SeaLinePublication::addPort(sequence, QStringLiteral("B")));
    QVERIFY(SeaLinePublication::addPort(sequence, QStringLiteral("C(港)/1")));
    QCOMPARE(sequence, QStringLiteral("A-B-C(港)/1"));

    // Screening keeps the dashes and takes the slashes and brackets.
    SeaLinePublication::Fields f = fields();
    f.portseq = sequence;
    FakeIMClient client;
    client.isConnected = true;
    QVERIFY(SeaLinePublication::send(client, PublishAccount{}, f));
    QCOMPARE(stanzaField(client.commands.value(0), "portseq"), QStringLiteral("A-B-C港1"));
}

void SeaLinePublicationTest::refusals_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    const QString ports = QStringLiteral("请填写起始港和目的港! ");
    const QString all = QStringLiteral("请填写所有信息,再发布! ");
    QTest::newRow("startport") << "startport" << ports;
    QTest::newRow("toport") << "toport" << ports;
    QTest::newRow("duty") << "duty" << all;
    QTest::newRow("days") << "days" << all;
    QTest::newRow("carrier") << "scomp" << all;
    QTest::newRow("line") << "line" << all;
    QTest::newRow("sequence") << "portseq"
                              << "请添加海运港序后,再发布! ";
    QTest::newRow("sequence screened to nothing") << "portseq<>"
                                                  << "请添加海运港序后,再发布! ";
    QTest::newRow("fields before sequence") << "days+portseq" << all;
}

void SeaLinePublicationTest::refusals()
{
    QFETCH(QString, field);
    QFETCH(QString, expected);
    SeaLinePublication::Fields f = fields();
    for (const QString& name : field.split(QLatin1Char('+'))) {
        if (name == QStringLiteral("portseq<>")) {
            f.portseq = QStringLiteral(" <//> ");
            continue;
        }
        QString* value = name == "startport" ? &f.startport
                         : name == "toport"  ? &f.toport
                         : name == "duty"    ? &f.duty
                         : name == "days"    ? &f.days
                         : name == "scomp"   ? &f.scomp
                         : name == "line"    ? &f.line
                                             : &f.portseq;
        *value = QStringLiteral(" ");
    }
    const auto refusal = SeaLinePublication::check(f);
    QVERIFY(refusal);
    QCOMPARE(*refusal, (PublishRefusal{QStringLiteral("提示信息"), expected}));
}

void SeaLinePublicationTest::requestAsSent()
{
    SeaLinePublication::Fields f = fields();
    QVERIFY(!SeaLinePublication::check(f)); // the transhipment port is not required
    f.startport = QStringLiteral(" SHANGHAI ");
    f.contacts.telephone1.caption = QStringLiteral("021-1");
    f.contacts.company.checked = false;
    PublishAccount account;
    account.host = QStringLiteral("localhost");
    account.sender = QStringLiteral("lina");
    FakeIMClient client;
    client.isConnected = true;
    QVERIFY(SeaLinePublication::send(client, account, f));
    const QString stanza = client.commands.value(0);
    QCOMPARE(stanzaField(stanza, "startport"), QStringLiteral("SHANGHAI"));
    QCOMPARE(stanzaField(stanza, "passport"), QString(""));
    QCOMPARE(stanzaField(stanza, "sdirect"), QStringLiteral("海运直达"));
    QCOMPARE(stanzaField(stanza, "scomp"), QStringLiteral("中远"));
    QCOMPARE(stanzaField(stanza, "sender"), QStringLiteral("lina"));
    QCOMPARE(UnscrambleField(stanzaField(stanza, "contact")), QStringLiteral(" 021-1  "));
}

QTEST_GUILESS_MAIN(SeaLinePublicationTest)
#include "tst_SeaLinePublication.moc"
