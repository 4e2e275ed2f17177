// The sandbox's committed seed data: current with its generator, and every contact in
// the form the client opens (DES hex for land listings, scrambled for the rest).
#include "SeedGenerator.h"
#include "core/DesCipher.h"
#include "core/FieldScrambler.h"
#include "core/Keys.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QtTest>

namespace {

QByteArray readSandboxFile(const QString& relative)
{
    QFile file(QStringLiteral(TOVANTA_SOURCE_DIR "/sandbox/") + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject committedSeed()
{
    return QJsonDocument::fromJson(readSandboxFile(QStringLiteral("seed/seed.json"))).object();
}

QSet<QString> userNames(const QJsonObject& seed)
{
    QSet<QString> names;
    for (const auto& user : seed.value("users").toArray())
        names.insert(user.toObject().value("loginname").toString());
    return names;
}

} // namespace

class SandboxSeedTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void committedSeedIsCurrent();
    void landContactsDecipher();
    void otherContactsUnscramble_data();
    void otherContactsUnscramble();
    void sendersAreAccountsOrTheAgentSeat();
    void demoCitiesHaveListings();
    void profilesAreComplete();
    void idsAreUnique();
};

void SandboxSeedTest::committedSeedIsCurrent()
{
    const SeedGenerator generator;
    QVERIFY2(committedSeed() == generator.seed(),
             "sandbox/seed/seed.json is stale: cmake --build <build> --target sandbox_seed");
    QCOMPARE(QString::fromUtf8(readSandboxFile(QStringLiteral("accounts.txt"))),
             generator.accountsText());
    // the same generator gives the same data twice
    QCOMPARE(SeedGenerator().seed(), generator.seed());
}

void SandboxSeedTest::landContactsDecipher()
{
    const QJsonArray land = committedSeed().value("land").toArray();
    QVERIFY(land.size() >= 300);
    for (const auto& item : land) {
        const QString hex = item.toObject().value("contact").toString();
        QVERIFY(hex.size() % 16 == 0 && !hex.isEmpty());
        const QString plain = DesDecryptHex(hex, QString::fromLatin1(kConfigurationKey));
        QVERIFY2(plain.contains(QRegularExpression("\\d{3,}")), qPrintable(plain));
        QCOMPARE(DesEncryptHex(plain, QString::fromLatin1(kConfigurationKey)), hex);
    }
}

void SandboxSeedTest::otherContactsUnscramble_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("air") << "air";
    QTest::newRow("sea") << "sea";
    QTest::newRow("rail") << "rail";
}

void SandboxSeedTest::otherContactsUnscramble()
{
    QFETCH(QString, kind);
    const QJsonArray rows = committedSeed().value(kind).toArray();
    QVERIFY(rows.size() >= 40);
    for (const auto& item : rows) {
        const QString scrambled = item.toObject().value("contact").toString();
        const QString plain = UnscrambleField(scrambled);
        QVERIFY2(plain.contains(QRegularExpression("\\d{3,}")), qPrintable(plain));
        QCOMPARE(ScrambleField(plain), scrambled);
    }
}

void SandboxSeedTest::sendersAreAccountsOrTheAgentSeat()
{
    const QJsonObject seed = committedSeed();
    const QSet<QString> users = userNames(seed);
    int agent = 0;
    const QJsonArray land = seed.value("land").toArray();
    for (const auto& item : land) {
        const QString sender = item.toObject().value("senderid").toString();
        QVERIFY2(sender == QLatin1String("-1") || users.contains(sender), qPrintable(sender));
        QVERIFY(sender != QLatin1String("kefu"));
        agent += sender == QLatin1String("-1") ? 1 : 0;
    }
    QVERIFY(agent > land.size() / 20 && agent < land.size() / 3);
    for (const QString kind : {"air", "sea", "rail"}) {
        for (const auto& item : seed.value(kind).toArray()) {
            const QString sender = item.toObject().value("sender").toString();
            QVERIFY2(sender == QLatin1String("-1") || users.contains(sender), qPrintable(sender));
        }
    }
}

void SandboxSeedTest::demoCitiesHaveListings()
{
    const QJsonArray land = committedSeed().value("land").toArray();
    for (const QString city : {"上海", "北京", "广州", "沈阳", "成都"}) {
        int local = 0;
        for (const auto& item : land) {
            const QJsonObject o = item.toObject();
            local +=
                (o.value("fromcity").toString() == city || o.value("tocity").toString() == city)
                    ? 1
                    : 0;
        }
        QVERIFY2(local >= 20, qPrintable(city));
    }
    QSet<QString> ports;
    for (const auto& item : committedSeed().value("sea").toArray())
        ports.insert(item.toObject().value("startport").toString());
    QCOMPARE(ports.size(), 11);
}

void SandboxSeedTest::profilesAreComplete()
{
    const QStringList keys = {"id",        "sex",        "qq",         "contact",
                              "endate",    "mobile",     "email",      "idcardnumber",
                              "company",   "telephone1", "telephone2", "address",
                              "userlevel", "userprove",  "usercity",   "usercountry"};
    const QJsonArray users = committedSeed().value("users").toArray();
    QVERIFY(users.size() >= 6);
    int demo = 0;
    for (const auto& item : users) {
        const QJsonObject user = item.toObject();
        for (const QString& key : keys)
            QVERIFY2(user.contains(key), qPrintable(key));
        QCOMPARE(user.value("mobile").toString().size(), 11);
        QVERIFY(user.value("idcardnumber").toString().size() <= 18);
        QVERIFY(user.value("password").toString().size() >= 6);
        demo += user.value("demo").toBool() ? 1 : 0;
    }
    QVERIFY(demo >= 5);
}

void SandboxSeedTest::idsAreUnique()
{
    QSet<qint64> ids;
    int total = 0;
    for (const QString kind : {"land", "air", "sea", "rail"}) {
        for (const auto& item : committedSeed().value(kind).toArray()) {
            ids.insert(item.toObject().value("id").toVariant().toLongLong());
            ++total;
        }
    }
    QCOMPARE(ids.size(), total);
}

QTEST_GUILESS_MAIN(SandboxSeedTest)
#include "tst_SandboxSeed.moc"
