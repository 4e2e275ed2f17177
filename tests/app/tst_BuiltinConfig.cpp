#include "app/ApplicationTitle.h"
#include "app/BuiltinConfig.h"
#include "app/SessionState.h"
#include "core/CoreError.h"
#include "core/DesCipher.h"
#include "core/Keys.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString encipher(const QString& document)
{
    return DesEncryptHex(document, QString::fromLatin1(kConfigurationKey));
}

QString configDocument(const QString& serverPort, const QString& company = QStringLiteral("公司"))
{
    return QStringLiteral("<?xml version=\"1.0\"?>\r\n<ClientConfig>"
                          "<regurl>R</regurl><HostName>example.org</HostName>"
                          "<ServerPort>%1</ServerPort><wsdluri>W</wsdluri><baseurl>/b</baseurl>"
                          "<AppVersion>9.8.7.6</AppVersion><AppName>测试名</AppName>"
                          "<Company>%2</Company><homeURL>H</homeURL><infourl>I</infourl>"
                          "<upgradfiles>U</upgradfiles><findfriendurl>F</findfriendurl>"
                          "<authmobile>false</authmobile></ClientConfig>")
        .arg(serverPort, company);
}

// The values of the plain document, read without the program's XML reader.
QMap<QString, QString> plainValues(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    QMap<QString, QString> values;
    QRegularExpression element(QStringLiteral("<(\\w+)>([^<]*)</\\1>"));
    auto it = element.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        values.insert(match.captured(1), match.captured(2));
    }
    return values;
}

QMap<QString, QString> sessionValues(const SessionState& s)
{
    return {{QStringLiteral("regurl"), s.regurl},
            {QStringLiteral("HostName"), s.HostName},
            {QStringLiteral("ServerPort"), QString::number(s.ServerPort)},
            {QStringLiteral("wsdluri"), s.wsdluri},
            {QStringLiteral("baseurl"), s.baseurl},
            {QStringLiteral("AppVersion"), s.AppVersion},
            {QStringLiteral("AppName"), s.AppName},
            {QStringLiteral("Company"), s.Company},
            {QStringLiteral("homeURL"), s.homeURL},
            {QStringLiteral("infourl"), s.infourl},
            {QStringLiteral("upgradfiles"), s.upgradfiles},
            {QStringLiteral("findfriendurl"), s.findfriendurl},
            {QStringLiteral("authmobile"), s.authmobile}};
}

QString loadError(const QString& resourceText, SessionState& state)
{
    try {
        BuiltinConfig::loadFromText(resourceText, state);
    } catch (const CoreError& e) {
        return e.message();
    }
    return QString();
}
} // namespace

class BuiltinConfigTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ApplicationTitle::set(QStringLiteral("Tovanta")); }
    void resourceCarriesTheChosenDocument();
    void toolAndLoaderAgree();
    void toolRefusesDocumentsTheProgramCannotRead_data();
    void toolRefusesDocumentsTheProgramCannotRead();
    void surroundingWhiteSpaceIsStripped();
    void badServerPortGivesIntegerErrorAndStops();
    void nonHexStopsBeforeAnyValue();
    void foreignRootOrMissingKeysGiveEmptyValues();
};

void BuiltinConfigTest::resourceCarriesTheChosenDocument()
{
    const QString resource = BuiltinConfig::resourceText();
    QVERIFY(resource.endsWith(QStringLiteral("\r\n")));
    const QString hex = resource.trimmed();
    QVERIFY(QRegularExpression(QStringLiteral("^([0-9A-F]{16})+$")).match(hex).hasMatch());

    SessionState state;
    state.ServerPort = -1;
    BuiltinConfig::load(state);
    const QMap<QString, QString> expected = plainValues(QStringLiteral(TOVANTA_CONFIG_DOCUMENT));
    QCOMPARE(expected.size(), 13);
    QCOMPARE(sessionValues(state), expected);
    QCOMPARE(ApplicationTitle::get(), state.AppName);
}

void BuiltinConfigTest::toolAndLoaderAgree()
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("doc.xml"));
    const QString hexPath = dir.filePath(QStringLiteral("doc.hex"));
    const QString back = dir.filePath(QStringLiteral("back.xml"));
    {
        QFile file(plain);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            configDocument(
                QStringLiteral("5999"),
                QStringLiteral("某某物流 & Co").replace(QLatin1Char('&'), QLatin1String("&amp;")))
                .toUtf8());
    }
    QCOMPARE(QProcess::execute(QStringLiteral(TOVANTA_CONFIGTOOL),
                               {QStringLiteral("encipher"), plain, hexPath}),
             0);
    QFile hexFile(hexPath);
    QVERIFY(hexFile.open(QIODevice::ReadOnly));
    const QString hex = QString::fromLatin1(hexFile.readAll());

    SessionState state;
    BuiltinConfig::loadFromText(hex, state);
    QCOMPARE(state.HostName, QStringLiteral("example.org"));
    QCOMPARE(state.ServerPort, 5999);
    QCOMPARE(state.Company, QStringLiteral("某某物流 & Co"));
    QCOMPARE(state.AppName, QStringLiteral("测试名"));
    QCOMPARE(state.authmobile, QStringLiteral("false"));
    QCOMPARE(state.siteAddress(), QStringLiteral("http://www.example.org/b"));
    QCOMPARE(ApplicationTitle::get(), QStringLiteral("测试名"));

    QCOMPARE(QProcess::execute(QStringLiteral(TOVANTA_CONFIGTOOL),
                               {QStringLiteral("decipher"), hexPath, back}),
             0);
    QFile backFile(back);
    QVERIFY(backFile.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(backFile.readAll()).contains(QStringLiteral("某某物流")));

    // The production template stays a document the program can read.
    QCOMPARE(QProcess::execute(
                 QStringLiteral(TOVANTA_CONFIGTOOL),
                 {QStringLiteral("encipher"),
                  QStringLiteral(TOVANTA_SOURCE_DIR "/config/production.template.xml"), hexPath}),
             0);

    // The tool refuses what it cannot read, with a failing exit code.
    QVERIFY(QProcess::execute(
                QStringLiteral(TOVANTA_CONFIGTOOL),
                {QStringLiteral("encipher"), dir.filePath(QStringLiteral("none")), hexPath}) != 0);
}

void BuiltinConfigTest::toolRefusesDocumentsTheProgramCannotRead_data()
{
    QTest::addColumn<QString>("document");
    QTest::newRow("ServerPort not an integer") << configDocument(QStringLiteral("x"));
    QTest::newRow("another root") << configDocument(QStringLiteral("1"))
                                         .replace(QStringLiteral("ClientConfig"),
                                                  QStringLiteral("Config"));
    QTest::newRow("missing element")
        << configDocument(QStringLiteral("1")).remove(QStringLiteral("<baseurl>/b</baseurl>"));
    QTest::newRow("malformed") << configDocument(QStringLiteral("1")).left(60);
}

void BuiltinConfigTest::toolRefusesDocumentsTheProgramCannotRead()
{
    QFETCH(QString, document);
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("doc.xml"));
    const QString hexPath = dir.filePath(QStringLiteral("doc.hex"));
    QFile file(plain);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(document.toUtf8());
    file.close();
    QProcess tool;
    tool.start(QStringLiteral(TOVANTA_CONFIGTOOL), {QStringLiteral("encipher"), plain, hexPath});
    QVERIFY(tool.waitForFinished());
    QVERIFY(tool.exitCode() != 0);
    QVERIFY(tool.readAllStandardError().contains("doc.xml"));
    QVERIFY(!QFile::exists(hexPath));
}

void BuiltinConfigTest::surroundingWhiteSpaceIsStripped()
{
    SessionState state;
    const QString text = QStringLiteral("  \t") + encipher(configDocument(QStringLiteral("1"))) +
                         QStringLiteral(" \r\n\x01");
    BuiltinConfig::loadFromText(text, state);
    QCOMPARE(state.ServerPort, 1);
    QCOMPARE(state.findfriendurl, QStringLiteral("F"));
}

void BuiltinConfigTest::badServerPortGivesIntegerErrorAndStops()
{
    SessionState state;
    const SessionState defaults;
    const QString error = loadError(encipher(configDocument(QStringLiteral("15x22"))), state);
    QCOMPARE(error, QStringLiteral("Node \"ServerPort\" does not contain a valid integer"));
    // Keys before ServerPort are stored, those after it are not read.
    QCOMPARE(state.regurl, QStringLiteral("R"));
    QCOMPARE(state.HostName, QStringLiteral("example.org"));
    QCOMPARE(state.ServerPort, defaults.ServerPort);
    QCOMPARE(state.wsdluri, defaults.wsdluri);
    QCOMPARE(state.AppName, defaults.AppName);
    QCOMPARE(ApplicationTitle::get(), QStringLiteral("Tovanta"));
}

void BuiltinConfigTest::nonHexStopsBeforeAnyValue()
{
    SessionState state;
    const SessionState defaults;
    QCOMPARE(loadError(QStringLiteral("0123ABCG\r\n"), state),
             QStringLiteral("Error: not a Hex String"));
    QCOMPARE(state.regurl, defaults.regurl);
    QCOMPARE(state.HostName, defaults.HostName);
}

void BuiltinConfigTest::foreignRootOrMissingKeysGiveEmptyValues()
{
    SessionState state;
    const QString error =
        loadError(encipher(QStringLiteral("<Other><HostName>h</HostName></Other>")), state);
    QCOMPARE(error, QStringLiteral("Node \"ServerPort\" does not contain a valid integer"));
    QVERIFY(state.regurl.isEmpty());
    QVERIFY(state.HostName.isEmpty());

    // A missing element reads as empty, not as the white space around its siblings.
    SessionState partial;
    BuiltinConfig::loadFromText(
        encipher(QStringLiteral("<ClientConfig>\r\n  <ServerPort>7</ServerPort>"
                                "\r\n  <AppName>N</AppName>\r\n</ClientConfig>")),
        partial);
    QCOMPARE(partial.ServerPort, 7);
    QVERIFY(partial.HostName.isEmpty());
    QVERIFY(partial.baseurl.isEmpty());
    QCOMPARE(partial.AppName, QStringLiteral("N"));
}

QTEST_GUILESS_MAIN(BuiltinConfigTest)
#include "tst_BuiltinConfig.moc"
