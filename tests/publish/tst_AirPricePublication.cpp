// The air window's checks in order with their texts, and the request as sent.
#include "FakeIMClient.h"
#include "StanzaFields.h"
#include "core/FieldScrambler.h"
#include "publish/AirPricePublication.h"
#include "publish/PublishAccount.h"

#include <QtTest>

namespace {

AirPricePublication::Fields fields()
{
    AirPricePublication::Fields f;
    f.startcn = QStringLiteral(" 浦东 ");
    f.endcn = QStringLiteral("成田");
    f.airline = QStringLiteral("日本");
    f.cycle = QStringLiteral("1,3,5");
    f.price = QStringLiteral("100/300");
    f.days = QStringLiteral("2 ");
    f.aircompany = QStringLiteral("CA 中国国际航空股份有限公司");
    f.contacts.mobile.caption = QStringLiteral("13800138000");
    f.contacts.company.caption = QStringLiteral("沪通物流");
    return f;
}

} // namespace

class AirPricePublicationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refusals_data();
    void refusals();
    void englishNamesAreNotRequired();
    void requestAsSent();
};

void AirPricePublicationTest::refusals_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    const QString ports = QStringLiteral("请填写起始港和目的港! ");
    const QString all = QStringLiteral("请填写所有信息,再发布! ");
    QTest::newRow("startcn") << "startcn" << ports;
    QTest::newRow("endcn") << "endcn" << ports;
    QTest::newRow("route") << "airline" << all;
    QTest::newRow("cycle") << "cycle" << all;
    QTest::newRow("price") << "price" << all;
    QTest::newRow("days") << "days" << all;
    QTest::newRow("airline") << "aircompany" << all;
    QTest::newRow("ports before the rest") << "startcn+cycle" << ports;
}

void AirPricePublicationTest::refusals()
{
    QFETCH(QString, field);
    QFETCH(QString, expected);
    AirPricePublication::Fields f = fields();
    const QStringList blanked = field.split(QLatin1Char('+'));
    for (const QString& name : blanked) {
        QString* value = name == "startcn"   ? &f.startcn
                         : name == "endcn"   ? &f.endcn
                         : name == "airline" ? &f.airline
                         : name == "cycle"   ? &f.cycle
                         : name == "price"   ? &f.price
                         : name == "days"    ? &f.days
                                             : &f.aircompany;
        *value = QStringLiteral("  ");
    }
    const auto refusal = AirPricePublication::check(f);
    QVERIFY(refusal);
    QCOMPARE(*refusal, (PublishRefusal{QStringLiteral("提示信息"), expected}));
}

void AirPricePublicationTest::englishNamesAreNotRequired()
{
    QVERIFY(!AirPricePublication::check(fields()));
}

void AirPricePublicationTest::requestAsSent()
{
    AirPricePublication::Fields f = fields();
    f.starten = QStringLiteral("PVG ");
    f.direct = false;
    f.mem = QStringLiteral(" 周末<不飞> ");
    PublishAccount account;
    account.host = QStringLiteral("localhost");
    account.sender = QStringLiteral("zhangwei");
    FakeIMClient client;
    client.isConnected = true;
    QVERIFY(AirPricePublication::send(client, account, f));
    const QString stanza = client.commands.value(0);
    QCOMPARE(stanzaField(stanza, "starcn"), QStringLiteral("浦东"));
    QCOMPARE(stanzaField(stanza, "starten"), QStringLiteral("PVG"));
    QCOMPARE(stanzaField(stanza, "enden"), QString(""));
    QCOMPARE(stanzaField(stanza, "days"), QStringLiteral("2"));
    QCOMPARE(stanzaField(stanza, "price"), QStringLiteral("100/300"));
    QCOMPARE(stanzaField(stanza, "direct"), QStringLiteral("中转"));
    QCOMPARE(stanzaField(stanza, "sender"), QStringLiteral("zhangwei"));
    QCOMPARE(stanzaField(stanza, "mem"), QStringLiteral("周末不飞"));
    // Not trimmed: the family's line ends in the company, the empty boxes leave their spaces.
    QCOMPARE(UnscrambleField(stanzaField(stanza, "contact")),
             QStringLiteral("13800138000   沪通物流"));
    client.isConnected = false;
    QVERIFY(!AirPricePublication::send(client, account, f));
    QCOMPARE(client.commands.size(), 1);
}

QTEST_GUILESS_MAIN(AirPricePublicationTest)
#include "tst_AirPricePublication.moc"
