// The update component's pure rules: the information file, version comparison, file-name
// safety and the upgrader's command line.
#include "update/UpdateFileName.h"
#include "update/UpdateInfoFile.h"
#include "update/UpdateVersion.h"
#include "update/UpgraderCommandLine.h"

#include <QTest>

class UpdateRulesTest : public QObject
{
    Q_OBJECT

    static QStringList urlsOf(const QByteArray& text)
    {
        QStringList urls;
        const auto files = UpdateInfoFile(text).files();
        for (const auto& file : files)
            urls.append(file.url);
        return urls;
    }

private Q_SLOTS:
    void informationFileKeys_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("version");
        QTest::newRow("capital URL") << QByteArray("#VERSION=2.0.0.2\n#URL=http://h/a.exe\n")
                                     << QStringList{"http://h/a.exe"} << "2.0.0.2";
        QTest::newRow("url and url2 give two")
            << QByteArray("#version=1\n#url=http://h/a\n#url2=http://h/b\n")
            << QStringList{"http://h/a", "http://h/b"} << "1";
        QTest::newRow("url and url1 give one")
            << QByteArray("#url=http://h/a\n#url1=http://h/b\n") << QStringList{"http://h/a"} << "";
        QTest::newRow("url0 after url, probing from 3")
            << QByteArray("#url3=http://h/d\n#url0=http://h/b\n#url=http://h/a\n#url2=http://h/c\n")
            << QStringList{"http://h/a", "http://h/b", "http://h/d"} << "";
        QTest::newRow("empty url stops probing")
            << QByteArray("#url=http://h/a\n#url2=\n#url3=http://h/c\n")
            << QStringList{"http://h/a"} << "";
        QTest::newRow("missing keys") << QByteArray("nothing here\n") << QStringList{} << "";
        QTest::newRow("first occurrence, anywhere, CRLF")
            << QByteArray("junk#version=3.1\r\n#version=9\r\n#url=http://h/a\r\n")
            << QStringList{"http://h/a"} << "3.1";
        QTest::newRow("value stops at tab")
            << QByteArray("#version=2.0\tjunk\n") << QStringList{} << "2.0";
    }
    void informationFileKeys()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, urls);
        QFETCH(QString, version);
        QCOMPARE(urlsOf(text), urls);
        QCOMPARE(UpdateInfoFile(text).version(), version);
    }

    void informationFileMessageAndMethod()
    {
        const UpdateInfoFile info(QByteArray("#Message={发现新版\n第二行 <b>x</b>}\n#method=2x\n"));
        QCOMPARE(info.message(), QStringLiteral("发现新版\n第二行 <b>x</b>"));
        QCOMPARE(info.method(), 2);
        QCOMPARE(UpdateInfoFile(QByteArray("#method=1\n")).method(), 1);
        QCOMPARE(UpdateInfoFile(QByteArray("#method=x1\n")).method(), 0);
        QCOMPARE(UpdateInfoFile(QByteArray("")).method(), 0);
        // Without an opening brace there is no message; an unclosed one runs to the end.
        QCOMPARE(UpdateInfoFile(QByteArray("#message=plain\n")).message(), QString());
        QCOMPARE(UpdateInfoFile(QByteArray("#message={open\nend")).message(),
                 QStringLiteral("open\nend"));
        // A GBK file reads as GBK.
        QCOMPARE(UpdateInfoFile(QByteArray("#message={\xd0\xc2\xb0\xe6}")).message(),
                 QStringLiteral("新版"));
    }

    void informationFileHashesAndBounds()
    {
        const auto files =
            UpdateInfoFile(QByteArray("#url=http://h/a\n#SHA256=ABCDEF\n#url2=http://h/b\n"
                                      "#sha2562=0123\n"))
                .files();
        QCOMPARE(files.size(), 2);
        QCOMPARE(files.at(0).sha256, QStringLiteral("abcdef"));
        QCOMPARE(files.at(1).sha256, QStringLiteral("0123"));
        QCOMPARE(UpdateInfoFile(QByteArray("#url=http://h/a\n")).files().at(0).sha256, QString());

        const QByteArray huge(10 * UpdateInfoFile::MaxValueLength, 'v');
        QCOMPARE(UpdateInfoFile("#version=" + huge).version().size(),
                 UpdateInfoFile::MaxValueLength);
        QByteArray many;
        for (int n = 1; n < 2 * UpdateInfoFile::MaxFiles; ++n)
            many += "#url" + QByteArray::number(n) + "=http://h/" + QByteArray::number(n) + "\n";
        QCOMPARE(UpdateInfoFile("#url=http://h/0\n" + many).files().size(),
                 UpdateInfoFile::MaxFiles);
    }

    void versionComparison_data()
    {
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("newer");
        QTest::newRow("10 after 9") << "2.0.0.10"
                                    << "2.0.0.9" << true;
        QTest::newRow("9 before 10") << "2.0.0.9"
                                     << "2.0.0.10" << false;
        QTest::newRow("three parts, missing is 0") << "2.0.1"
                                                   << "2.0.0.9" << true;
        QTest::newRow("three parts equal four") << "2.0.0"
                                                << "2.0.0.0" << false;
        QTest::newRow("equal") << "2.0.0.1"
                               << "2.0.0.1" << false;
        QTest::newRow("first part decides") << "3.0.0.0"
                                            << "2.9.9.9" << true;
        QTest::newRow("older") << "1.9.9.9"
                               << "2.0.0.0" << false;
        QTest::newRow("non-numeric: bytes, after") << "2.0.0.b"
                                                   << "2.0.0.a" << true;
        QTest::newRow("non-numeric: bytes, 10 sorts before 9") << "2.0.x.10"
                                                               << "2.0.x.9" << false;
        QTest::newRow("empty part is not a number") << "2..0.1"
                                                    << "2.0.0.1" << false;
        QTest::newRow("empty offer") << ""
                                     << "2.0.0.1" << false;
        QTest::newRow("huge part") << "2.0.0.99999999999999999999999"
                                   << "2.0.0.1" << true;
    }
    void versionComparison()
    {
        QFETCH(QString, offered);
        QFETCH(QString, current);
        QFETCH(bool, newer);
        QCOMPARE(UpdateVersion::isNewer(offered, current), newer);
    }

    void dateComparison()
    {
        const QDate today(2024, 5, 10);
        QVERIFY(UpdateVersion::isNewerByDate("05/11/2024", "05/10/2024", today));
        QVERIFY(!UpdateVersion::isNewerByDate("05/10/2024", "05/10/2024", today));
        QVERIFY(!UpdateVersion::isNewerByDate("12/31/2023", "05/10/2024", today));
        // An unreadable date counts as today.
        QVERIFY(UpdateVersion::isNewerByDate("junk", "05/09/2024", today));
        QVERIFY(!UpdateVersion::isNewerByDate("05/09/2024", "junk", today));
        QCOMPARE(UpdateVersion::writeDate(today), QStringLiteral("05/10/2024"));
    }

    void fileNameSafety_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "http://h/update/files/tovanta"
                               << "tovanta";
        QTest::newRow("query dropped") << "http://h/f/a.txt?x=/../b#y"
                                       << "a.txt";
        QTest::newRow("encoded name") << "http://h/f/%E6%96%B0.txt" << QStringLiteral("新.txt");
        QTest::newRow("dot dot") << "http://h/f/.."
                                 << "";
        QTest::newRow("dot") << "http://h/f/."
                             << "";
        QTest::newRow("trailing slash") << "http://h/f/"
                                        << "";
        QTest::newRow("bare host") << "http://h"
                                   << "";
        QTest::newRow("backslash climb") << "http://h/f/..\\..\\evil.exe"
                                         << "";
        QTest::newRow("encoded slash") << "http://h/f/..%2F..%2Fevil"
                                       << "";
        QTest::newRow("encoded backslash") << "http://h/f/..%5Cevil"
                                           << "";
        QTest::newRow("drive letter") << "http://h/f/C:evil.exe"
                                      << "";
        QTest::newRow("encoded drive") << "http://h/f/C%3A%5Cevil.exe"
                                       << "";
        QTest::newRow("control character") << "http://h/f/a%0Ab"
                                           << "";
        QTest::newRow("encoded dot dot") << "http://h/f/%2E%2E"
                                         << "";
        QTest::newRow("no scheme") << "files/a.txt"
                                   << "a.txt";
    }
    void fileNameSafety()
    {
        QFETCH(QString, url);
        QFETCH(QString, name);
        QCOMPARE(UpdateFileName::fromUrl(url), name);
    }

    void upgraderCommandLine()
    {
        const QStringList args = UpgraderCommandLine::arguments(
            QStringLiteral("/opt/t/tovanta"), UpgraderCommandLine::defaultRestartParameters(), 0);
        QCOMPARE(args, (QStringList{"/opt/t/tovanta", "+/afterupgrade0"}));
        QCOMPARE(UpgraderCommandLine::arguments("p", QString(), 1).at(1), QStringLiteral("+ 1"));

        const auto parsed = UpgraderCommandLine::parse(args);
        QVERIFY(parsed.ok);
        QCOMPARE(parsed.executablePath, QStringLiteral("/opt/t/tovanta"));
        QCOMPARE(parsed.restartParameters, QStringLiteral("/afterupgrade"));
        QCOMPARE(parsed.method, 0);
        // Split at spaces on its way, the parameter text is joined again.
        const auto split = UpgraderCommandLine::parse({"p", "+/a", "/b2"});
        QVERIFY(split.ok);
        QCOMPARE(split.restartParameters, QStringLiteral("/a /b"));
        QCOMPARE(split.method, 2);
        QCOMPARE(UpgraderCommandLine::restartArguments(split.restartParameters),
                 (QStringList{"/a", "/b"}));
        QCOMPARE(UpgraderCommandLine::restartArguments(QStringLiteral(" ")), QStringList());

        QVERIFY(!UpgraderCommandLine::parse({"p"}).ok);
        QVERIFY(!UpgraderCommandLine::parse({"p", "/afterupgrade0"}).ok);
        QVERIFY(!UpgraderCommandLine::parse({"p", "+/afterupgrade"}).ok);
        QVERIFY(!UpgraderCommandLine::parse({"", "+/afterupgrade0"}).ok);
    }
};

QTEST_GUILESS_MAIN(UpdateRulesTest)
#include "tst_UpdateRules.moc"
