// The registration window's checks without a window: the mobile number and e-mail rules, the
// reserved names, the field-exit rule, the order in which a submission is refused, and what the
// cleaning step changes.
#include "app/RegistrationChecks.h"

#include <QtTest>

using RegistrationChecks::Field;
using RegistrationChecks::Refusal;

Q_DECLARE_METATYPE(Refusal)
Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(RegistrationForm)

namespace {

// A form every check lets through.
RegistrationForm goodForm()
{
    RegistrationForm form;
    form.userName = QStringLiteral("wuliu2024");
    form.password = QStringLiteral("secret1");
    form.contact = QStringLiteral("王强");
    form.sex = QStringLiteral("男");
    form.telephone = QStringLiteral("021-55550000");
    form.mobile = QStringLiteral("13912345678");
    form.email = QStringLiteral("wq@example.cn");
    form.company = QStringLiteral("上海顺达物流有限公司");
    form.province = QStringLiteral("上海");
    form.city = QStringLiteral("浦东新区");
    form.userType = 1;
    form.agreementAccepted = true;
    return form;
}

// The whole submission as the window runs it, the name lookup answering "free".
RegistrationChecks::Verdict submit(const RegistrationForm& form)
{
    const RegistrationChecks::Verdict local = RegistrationChecks::checkBeforeNameLookup(form);
    if (!local.passed())
        return local;
    return RegistrationChecks::checkAfterNameLookup(form);
}

} // namespace

class RegistrationChecksTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mobileNumber_data();
    void mobileNumber();
    void emailAddress_data();
    void emailAddress();
    void reservedNamesIgnoreLetterCase_data();
    void reservedNamesIgnoreLetterCase();
    void fieldExit_data();
    void fieldExit();
    void submissionStopsAtFirstRefusal_data();
    void submissionStopsAtFirstRefusal();
    void refusalsShowTheirTexts();
    void cleaningScreensCompanyAndDropsApostrophes();
};

void RegistrationChecksTest::mobileNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    QTest::newRow("139") << QStringLiteral("13912345678") << true;
    QTest::newRow("150") << QStringLiteral("15012345678") << true;
    QTest::newRow("188") << QStringLiteral("18812345678") << true;
    QTest::newRow("padded") << QStringLiteral("  13912345678 ") << true;
    QTest::newRow("129") << QStringLiteral("12912345678") << false;
    QTest::newRow("170") << QStringLiteral("17012345678") << false;
    QTest::newRow("10 digits") << QStringLiteral("1391234567") << false;
    QTest::newRow("12 digits") << QStringLiteral("139123456789") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("plus, 10 characters") << QStringLiteral("13+1234567") << false;
    QTest::newRow("dollar, 10 characters") << QStringLiteral("13$1234567") << false;
    QTest::newRow("plus sign") << QStringLiteral("13+12345678") << false;
    QTest::newRow("minus sign") << QStringLiteral("13-12345678") << false;
    QTest::newRow("hex dollar") << QStringLiteral("13$1234567A") << false;
    QTest::newRow("hex 0x") << QStringLiteral("130x1234567") << false;
    QTest::newRow("inner space") << QStringLiteral("139 2345678") << false;
    QTest::newRow("letter") << QStringLiteral("1391234567a") << false;
    QTest::newRow("full-width digit") << QStringLiteral("1391234567８") << false;
}

void RegistrationChecksTest::mobileNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, passes);
    QCOMPARE(RegistrationChecks::isMobileNumber(text), passes);
}

void RegistrationChecksTest::emailAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    QTest::newRow("usual") << QStringLiteral("wq@example.cn") << true;
    QTest::newRow("dot first") << QStringLiteral("w.q@example") << true;
    QTest::newRow("only the two") << QStringLiteral(".@") << true;
    QTest::newRow("no dot") << QStringLiteral("wq@example") << false;
    QTest::newRow("no at") << QStringLiteral("wq.example.cn") << false;
    QTest::newRow("empty") << QString() << false;
}

void RegistrationChecksTest::emailAddress()
{
    QFETCH(QString, text);
    QFETCH(bool, passes);
    QCOMPARE(RegistrationChecks::isEmailAddress(text), passes);
}

void RegistrationChecksTest::reservedNamesIgnoreLetterCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("reservedName");
    QTest::addColumn<bool>("reservedCompany");
    QTest::newRow("admin in capitals") << QStringLiteral("ADMIN") << true << false;
    QTest::newRow("padded mixed case") << QStringLiteral(" WebMaster ") << true << false;
    QTest::newRow("misspelt administrator") << QStringLiteral("AdminSitrator") << true << false;
    QTest::newRow("chinese") << QStringLiteral("系统管理员") << true << false;
    QTest::newRow("product name") << QStringLiteral("tOVANTA") << true << true;
    QTest::newRow("domain") << QStringLiteral("Tovanta.COM") << true << false;
    QTest::newRow("second domain") << QStringLiteral("tovanta.cn") << true << false;
    QTest::newRow("company brand") << QStringLiteral(" 托万达 ") << false << true;
    QTest::newRow("longer name") << QStringLiteral("admin1") << false << false;
    QTest::newRow("part of a name") << QStringLiteral("Tovanta物流") << false << false;
    QTest::newRow("inner space") << QStringLiteral("user name") << false << false;
}

void RegistrationChecksTest::reservedNamesIgnoreLetterCase()
{
    QFETCH(QString, text);
    QFETCH(bool, reservedName);
    QFETCH(bool, reservedCompany);
    QCOMPARE(RegistrationChecks::isReservedName(text), reservedName);
    QCOMPARE(RegistrationChecks::isReservedCompanyName(text), reservedCompany);
}

void RegistrationChecksTest::fieldExit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");
    QTest::newRow("20 letters") << QString(20, QLatin1Char('a')) << false;
    QTest::newRow("21 letters") << QString(21, QLatin1Char('a')) << true;
    QTest::newRow("10 chinese, 20 bytes") << QString(10, QChar(0x738B)) << false;
    QTest::newRow("11 chinese, 22 bytes") << QString(11, QChar(0x738B)) << true;
    QTest::newRow("apostrophe") << QStringLiteral("o'neil") << true;
    QTest::newRow("empty") << QString() << false;
}

void RegistrationChecksTest::fieldExit()
{
    QFETCH(QString, text);
    QFETCH(bool, refused);
    QCOMPARE(RegistrationChecks::refusedOnFieldExit(text), refused);
}

void RegistrationChecksTest::submissionStopsAtFirstRefusal_data()
{
    QTest::addColumn<RegistrationForm>("form");
    QTest::addColumn<Refusal>("refusal");
    QTest::addColumn<Field>("focus");

    RegistrationForm form = goodForm();
    QTest::newRow("all good") << form << Refusal::None << Field::None;
    form.password = QStringLiteral("123456");
    QTest::newRow("password of 6") << form << Refusal::None << Field::None;
    form = goodForm();
    form.email.clear();
    form.qq.clear();
    form.address.clear();
    QTest::newRow("optional fields empty") << form << Refusal::None << Field::None;

    const auto missing = [](void (*blank)(RegistrationForm&)) {
        RegistrationForm form = goodForm();
        form.password = QStringLiteral("123"); // would fail the next check
        blank(form);
        return form;
    };
    QTest::newRow("no user name") << missing([](RegistrationForm& f) {
        f.userName = QStringLiteral("  ");
    }) << Refusal::MissingRequired << Field::None;
    QTest::newRow("no contact") << missing([](RegistrationForm& f) { f.contact.clear(); })
                                << Refusal::MissingRequired << Field::None;
    QTest::newRow("no telephone") << missing([](RegistrationForm& f) { f.telephone.clear(); })
                                  << Refusal::MissingRequired << Field::None;
    QTest::newRow("agreement off")
        << missing([](RegistrationForm& f) { f.agreementAccepted = false; })
        << Refusal::MissingRequired << Field::None;
    QTest::newRow("no company") << missing(
                                       [](RegistrationForm& f) { f.company = QStringLiteral(" "); })
                                << Refusal::MissingRequired << Field::None;
    QTest::newRow("no city") << missing([](RegistrationForm& f) { f.city.clear(); })
                             << Refusal::MissingRequired << Field::None;
    QTest::newRow("no mobile") << missing([](RegistrationForm& f) { f.mobile.clear(); })
                               << Refusal::MissingRequired << Field::None;
    QTest::newRow("no user type") << missing([](RegistrationForm& f) { f.userType = 0; })
                                  << Refusal::MissingRequired << Field::None;
    QTest::newRow("blank password")
        << missing([](RegistrationForm& f) { f.password = QStringLiteral("   "); })
        << Refusal::MissingRequired << Field::None;

    form = goodForm();
    form.password = QStringLiteral("12345");
    form.userName = QStringLiteral("a@b");
    QTest::newRow("password of 5 before @") << form << Refusal::PasswordTooShort << Field::Password;
    form.password = QStringLiteral("  12345  ");
    QTest::newRow("password trimmed to 5") << form << Refusal::PasswordTooShort << Field::Password;
    form = goodForm();
    form.userName = QStringLiteral("wq@example.cn");
    form.contact = QStringLiteral("admin");
    QTest::newRow("@ before reserved contact") << form << Refusal::AtInUserName << Field::UserName;

    form = goodForm();
    form.userName = QStringLiteral("Manager");
    form.contact = QStringLiteral("ADMIN");
    QTest::newRow("earlier reserved contact wins")
        << form << Refusal::ReservedContactName << Field::Contact;
    form.userName = QStringLiteral("admin");
    form.contact = QStringLiteral("manager");
    QTest::newRow("login name before contact")
        << form << Refusal::ReservedLoginName << Field::UserName;
    form = goodForm();
    form.userName = QStringLiteral("USERNAME");
    form.company = QStringLiteral("托万达");
    form.mobile = QStringLiteral("129");
    QTest::newRow("reserved login before company")
        << form << Refusal::ReservedLoginName << Field::UserName;
    form = goodForm();
    form.contact = QStringLiteral("tovanta.cn");
    form.company = QStringLiteral("Tovanta");
    QTest::newRow("reserved contact before company")
        << form << Refusal::ReservedContactName << Field::Contact;
    form = goodForm();
    form.company = QStringLiteral(" TOVANTA ");
    form.mobile = QStringLiteral("12912345678");
    QTest::newRow("company before mobile") << form << Refusal::ReservedCompany << Field::Company;
    form = goodForm();
    form.mobile = QStringLiteral("12912345678");
    form.email = QStringLiteral("nodot@here");
    QTest::newRow("mobile before e-mail") << form << Refusal::BadMobile << Field::Mobile;
    form = goodForm();
    form.email = QStringLiteral("nodot@here");
    QTest::newRow("e-mail") << form << Refusal::BadEmail << Field::Email;
}

void RegistrationChecksTest::submissionStopsAtFirstRefusal()
{
    QFETCH(RegistrationForm, form);
    QFETCH(Refusal, refusal);
    QFETCH(Field, focus);
    const RegistrationChecks::Verdict verdict = submit(form);
    QCOMPARE(verdict.refusal, refusal);
    QCOMPARE(verdict.focus, focus);
}

void RegistrationChecksTest::refusalsShowTheirTexts()
{
    const struct
    {
        Refusal refusal;
        const char* text;
        bool warning;
    } expected[] = {
        {Refusal::MissingRequired, "所有带 * 的内容为必填项", false},
        {Refusal::PasswordTooShort, "密码太短(最短为6个字符)，请重新设置", true},
        {Refusal::AtInUserName, "用户名中不能含有 @ 字符,请重新选择。", true},
        {Refusal::NameTaken, "该用户已存在，请重新选择  ", true},
        {Refusal::ReservedLoginName, "该登录名系统保留，请重新选择  ", true},
        {Refusal::ReservedContactName, "该用户系统保留，请重新选择  ", true},
        {Refusal::ReservedCompany, "该公司已存在，请重新填写 ", true},
        {Refusal::BadMobile, "手机号码不正确,请重新填写 ", true},
        {Refusal::BadEmail, "E-mail格式不正确,请重新填写 ", true},
    };
    for (const auto& entry : expected) {
        QCOMPARE(RegistrationChecks::message(entry.refusal), QString::fromUtf8(entry.text));
        QCOMPARE(RegistrationChecks::isWarning(entry.refusal), entry.warning);
    }
    QCOMPARE(RegistrationChecks::fieldExitMessage(), QStringLiteral("输入非法字符或超长  "));
}

void RegistrationChecksTest::cleaningScreensCompanyAndDropsApostrophes()
{
    RegistrationForm form = goodForm();
    form.userName = QStringLiteral("o'k");
    form.password = QStringLiteral("p'ss'word");
    form.company = QStringLiteral("  [顺达] 'select' (物流)/公司  ");
    form.contact = QStringLiteral("王'强");
    form.telephone = QStringLiteral("'021'-5555");
    form.mobile = QStringLiteral("139'12345678");
    form.province = QStringLiteral("上'海");
    form.city = QStringLiteral("浦东'新区");
    form.address = QStringLiteral("张江路'1号 (东门)");
    form.email = QStringLiteral("a'b@c.d");
    form.qq = QStringLiteral("12'34");

    const RegistrationForm cleaned = RegistrationChecks::cleaned(form);
    QCOMPARE(cleaned.company, QStringLiteral("顺达  物流公司"));
    QCOMPARE(cleaned.contact, QStringLiteral("王强"));
    QCOMPARE(cleaned.telephone, QStringLiteral("021-5555"));
    QCOMPARE(cleaned.mobile, QStringLiteral("13912345678"));
    QCOMPARE(cleaned.province, QStringLiteral("上海"));
    QCOMPARE(cleaned.city, QStringLiteral("浦东新区"));
    // Only the apostrophes go from the address; its brackets stay.
    QCOMPARE(cleaned.address, QStringLiteral("张江路1号 (东门)"));
    // The login name and password were checked on leaving their fields; e-mail and QQ are
    // sent as typed.
    QCOMPARE(cleaned.userName, form.userName);
    QCOMPARE(cleaned.password, form.password);
    QCOMPARE(cleaned.email, form.email);
    QCOMPARE(cleaned.qq, form.qq);
}

QTEST_GUILESS_MAIN(RegistrationChecksTest)
#include "tst_RegistrationChecks.moc"
