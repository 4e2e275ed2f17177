#include "ui/main/AdRotation.h"
#include "ui/main/LandViews.h"
#include "ui/main/MemberLink.h"

#include <QtTest>

class ShellRulesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void landViewsLoadTheRightCities_data();
    void landViewsLoadTheRightCities();
    void landViewsNeedACity();
    void advertisementWrapsWhenTheListShrinks();
    void advertisementSkipsUnreadableLists();
    void memberLinksNameLoginAndDisplayName_data();
    void memberLinksNameLoginAndDisplayName();
};

void ShellRulesTest::landViewsLoadTheRightCities_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("local");
    QTest::addColumn<QString>("category");
    const QString c = QStringLiteral("大连");
    QTest::newRow("1 all local") << 1 << c << QString() << true << QString();
    QTest::newRow("2 local cargo") << 2 << c << QString() << true << "1";
    QTest::newRow("3 local trucks") << 3 << c << QString() << true << "2";
    QTest::newRow("4 all departing") << 4 << c << QString() << false << QString();
    QTest::newRow("5 departing cargo") << 5 << c << QString() << false << "1";
    QTest::newRow("6 departing trucks") << 6 << c << QString() << false << "2";
    QTest::newRow("7 all arriving") << 7 << QString() << c << false << QString();
    QTest::newRow("8 arriving cargo") << 8 << QString() << c << false << "1";
    QTest::newRow("9 arriving trucks") << 9 << QString() << c << false << "2";
}

void ShellRulesTest::landViewsLoadTheRightCities()
{
    QFETCH(int, kind);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, local);
    QFETCH(QString, category);
    const auto request = LandViews::request(kind, QStringLiteral("大连"));
    QVERIFY(request.has_value());
    QCOMPARE(request->fromCity, from);
    QCOMPARE(request->toCity, to);
    QCOMPARE(request->local, local);
    QCOMPARE(request->category, category);
    QCOMPARE(request->page, 1);
    QCOMPARE(request->append, false);
}

void ShellRulesTest::landViewsNeedACity()
{
    QVERIFY(!LandViews::request(1, QString()).has_value());
    QVERIFY(!LandViews::request(5, QStringLiteral("   ")).has_value());
    QVERIFY(!LandViews::request(0, QStringLiteral("大连")).has_value());
    QVERIFY(!LandViews::request(10, QStringLiteral("大连")).has_value());
}

void ShellRulesTest::advertisementWrapsWhenTheListShrinks()
{
    const QString three = QStringLiteral("[{\"content\":\"甲\",\"linkaddress\":\"http://a\"},"
                                         "{\"content\":\"乙\",\"linkaddress\":\"http://b\"},"
                                         "{\"content\":\"丙\",\"linkaddress\":\"http://c\"}]");
    AdRotation rotation;
    QCOMPARE(rotation.next(three).caption, QStringLiteral("甲"));
    QCOMPARE(rotation.next(three).link, QStringLiteral("http://b"));
    QCOMPARE(rotation.next(three).caption, QStringLiteral("丙"));
    QCOMPARE(rotation.next(three).caption, QStringLiteral("甲")); // wrapped
    QCOMPARE(rotation.next(three).caption, QStringLiteral("乙"));
    QCOMPARE(rotation.index(), 2);
    // The list shrank below the stored index: start again at the first element.
    const QString one = QStringLiteral("[{\"content\":\"丁\",\"linkaddress\":\"http://d\"}]");
    const AdRotation::Step step = rotation.next(one);
    QVERIFY(step.show);
    QCOMPARE(step.caption, QStringLiteral("丁"));
    QCOMPARE(rotation.index(), 1);
    QCOMPARE(rotation.next(one).caption, QStringLiteral("丁"));
}

void ShellRulesTest::advertisementSkipsUnreadableLists()
{
    AdRotation rotation;
    QVERIFY(!rotation.next(QString()).show);
    QVERIFY(!rotation.next(QStringLiteral("   ")).show);
    QVERIFY(!rotation.next(QStringLiteral("{not a list")).show);
    QVERIFY(!rotation.next(QStringLiteral("[]")).show);
    QCOMPARE(rotation.index(), 0);
}

void ShellRulesTest::memberLinksNameLoginAndDisplayName_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("isLink");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "member:wangwei:王伟" << true << "wangwei"
                           << "王伟";
    QTest::newRow("encoded name") << "member:wangwei:%E7%8E%8B%E4%BC%9F" << true << "wangwei"
                                  << "王伟";
    QTest::newRow("colon in name") << "member:li:a:b" << true << "li"
                                   << "a:b";
    QTest::newRow("no second colon") << "member:wangwei" << true << ""
                                     << "";
    QTest::newRow("behind a page address")
        << "http://www.localhost:15280/x/member:zhao:赵" << true << "zhao"
        << "赵";
    QTest::newRow("ordinary page")
        << "http://www.localhost:15280/index.php/User/search" << false << ""
        << "";
}

void ShellRulesTest::memberLinksNameLoginAndDisplayName()
{
    QFETCH(QString, url);
    QFETCH(bool, isLink);
    QFETCH(QString, login);
    QFETCH(QString, name);
    QCOMPARE(MemberLink::isMemberLink(url), isLink);
    const MemberLink link = MemberLink::parse(url);
    QCOMPARE(link.login, login);
    QCOMPARE(link.displayName, name);
}

QTEST_MAIN(ShellRulesTest)
#include "tst_ShellRules.moc"
