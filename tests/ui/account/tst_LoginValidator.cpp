#include "ui/account/LoginCaption.h"
#include "ui/account/LoginValidator.h"

#include <QtTest>

using Verdict = LoginValidator::Verdict;
Q_DECLARE_METATYPE(LoginValidator::Verdict)

class LoginValidatorTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void verdicts_data();
    void verdicts();
    void leaveCheckRefusesOnlyApostrophes();
    void captionsNameEveryPhase();
};

void LoginValidatorTest::verdicts_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("password");
    QTest::addColumn<Verdict>("verdict");

    QTest::newRow("empty name") << ""
                                << "secret" << Verdict::MissingUserName;
    QTest::newRow("blank name, password with apostrophe") << " \t "
                                                          << "se'cret" << Verdict::MissingUserName;
    QTest::newRow("empty name and password") << ""
                                             << "" << Verdict::MissingUserName;
    QTest::newRow("apostrophe in name") << "o'brien"
                                        << "secret" << Verdict::IllegalCharacters;
    QTest::newRow("apostrophe in password") << "zhang"
                                            << "se'cret" << Verdict::IllegalCharacters;
    QTest::newRow("apostrophe checked before blank password") << "o'brien"
                                                              << "  " << Verdict::IllegalCharacters;
    QTest::newRow("only-spaces password") << "zhang"
                                          << "   " << Verdict::BlankPassword;
    QTest::newRow("empty password") << "zhang"
                                    << "" << Verdict::BlankPassword;
    QTest::newRow("padded fields") << "  zhang "
                                   << " secret " << Verdict::Accept;
    QTest::newRow("chinese name") << QStringLiteral("张三") << "secret" << Verdict::Accept;
    // An ideographic space is content, not padding.
    QTest::newRow("ideographic space name")
        << QStringLiteral("\u3000") << "secret" << Verdict::Accept;
}

void LoginValidatorTest::verdicts()
{
    QFETCH(QString, userName);
    QFETCH(QString, password);
    QFETCH(Verdict, verdict);
    QCOMPARE(LoginValidator::check(userName, password), verdict);
}

void LoginValidatorTest::leaveCheckRefusesOnlyApostrophes()
{
    QVERIFY(LoginValidator::refusedOnLeave(QStringLiteral("a'b")));
    QVERIFY(LoginValidator::refusedOnLeave(QStringLiteral("'")));
    QVERIFY(!LoginValidator::refusedOnLeave(QString()));
    QVERIFY(!LoginValidator::refusedOnLeave(QStringLiteral("a\"b`c\u2019")));
}

void LoginValidatorTest::captionsNameEveryPhase()
{
    using State = LoginCaption::State;
    const QString name = QStringLiteral("Tovanta");
    const QString version = QStringLiteral("2.0.0.1");
    QCOMPARE(LoginCaption::text(State::Idle, name, version),
             QStringLiteral("Tovanta - 版本:2.0.0.1"));
    QCOMPARE(LoginCaption::text(State::Checking, name, version),
             QStringLiteral("Tovanta - 正在检查新版本,请稍等 ..."));
    QCOMPARE(LoginCaption::text(State::UpdateStarting, name, version),
             QStringLiteral("Tovanta - 正在升级,请稍等 ..."));
    QCOMPARE(LoginCaption::text(State::Downloading, name, version),
             QStringLiteral("Tovanta - 正在升级 ..."));
}

QTEST_APPLESS_MAIN(LoginValidatorTest)
#include "tst_LoginValidator.moc"
