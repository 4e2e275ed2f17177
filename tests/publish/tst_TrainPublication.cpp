// The rail window's field rule (every single-line field holds something, spaces count, the
// bureau lists are not checked) and the request as sent, trimmed.
#include "FakeIMClient.h"
#include "StanzaFields.h"
#include "core/FieldScrambler.h"
#include "publish/PublishAccount.h"
#include "publish/TrainPublication.h"

#include <QtTest>

namespace {

TrainPublication::Fields fields()
{
    TrainPublication::Fields f;
    f.triannum = QStringLiteral("X9527");
    f.startcity = QStringLiteral("哈尔滨");
    f.startport1 = QStringLiteral("香坊");
    f.startport2 = QStringLiteral("哈尔滨南");
    f.toport1 = QStringLiteral("吴家山");
    f.toport2 = QStringLiteral("武汉北");
    f.tocity = QStringLiteral("武汉");
    f.cycle = QStringLiteral("3");
    f.starttime = QStringLiteral("08:00");
    f.totime = QStringLiteral("20:00");
    f.hours = QStringLiteral("36");
    f.contacts.mobile.caption = QStringLiteral("13800138000");
    f.contacts.telephone1.checked = false;
    f.contacts.telephone2.checked = false;
    f.contacts.company.checked = false;
    return f;
}

QString* field(TrainPublication::Fields& f, int index)
{
    QString* all[] = {&f.triannum, &f.startport1, &f.startport2, &f.toport1, &f.toport2,
                      &f.cycle,    &f.starttime,  &f.totime,     &f.hours};
    return all[index];
}

} // namespace

class TrainPublicationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everySingleLineFieldIsRequired();
    void spacesPassAndAreSentEmpty();
    void emptyBureausPassAndAreSentEmpty();
};

void TrainPublicationTest::everySingleLineFieldIsRequired()
{
    for (int index = 0; index < 9; ++index) {
        TrainPublication::Fields f = fields();
        field(f, index)->clear();
        const auto refusal = TrainPublication::check(f);
        QVERIFY2(refusal, qPrintable(QString::number(index)));
        QCOMPARE(*refusal, (PublishRefusal{QStringLiteral("提示信息"),
                                           QStringLiteral("请填写所有信息后,再发布! ")}));
    }
}

void TrainPublicationTest::spacesPassAndAreSentEmpty()
{
    TrainPublication::Fields f = fields();
    f.hours = QStringLiteral("   ");
    f.triannum = QStringLiteral(" X9527 ");
    QVERIFY(!TrainPublication::check(f));
    PublishAccount account;
    account.host = QStringLiteral("localhost");
    account.sender = QStringLiteral("lina");
    FakeIMClient client;
    client.isConnected = true;
    QVERIFY(TrainPublication::send(client, account, f));
    const QString stanza = client.commands.value(0);
    QCOMPARE(stanzaField(stanza, "hours"), QString(""));
    QCOMPARE(stanzaField(stanza, "triannum"), QStringLiteral("X9527"));
    QCOMPARE(stanzaField(stanza, "toport1"), QStringLiteral("吴家山"));
    // The rail window trims the family's contact line.
    QCOMPARE(UnscrambleField(stanzaField(stanza, "contact")), QStringLiteral("13800138000"));
}

void TrainPublicationTest::emptyBureausPassAndAreSentEmpty()
{
    TrainPublication::Fields f = fields();
    f.startcity.clear();
    f.tocity.clear();
    QVERIFY(!TrainPublication::check(f));
    FakeIMClient client;
    client.isConnected = true;
    QVERIFY(TrainPublication::send(client, PublishAccount{}, f));
    QCOMPARE(stanzaField(client.commands.value(0), "startcity"), QString(""));
    QCOMPARE(stanzaField(client.commands.value(0), "tocity"), QString(""));
}

QTEST_GUILESS_MAIN(TrainPublicationTest)
#include "tst_TrainPublication.moc"
