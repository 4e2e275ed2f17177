#include "app/ProfileChanges.h"
#include "app/UserProfile.h"

#include <QtTest>

// The profile window's rules: what counts as complete, what is sent, what is kept locally.
class ProfileChangesTest : public QObject
{
    Q_OBJECT

private:
    static ProfileForm filled()
    {
        ProfileForm form;
        form.contact = QStringLiteral("张伟");
        form.sex = QStringLiteral("男");
        form.telephone1 = QStringLiteral("021-5555");
        form.company = QStringLiteral("海通物流");
        return form;
    }

private Q_SLOTS:
    void requiredFields_data()
    {
        QTest::addColumn<QString>("contact");
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("tel1");
        QTest::addColumn<QString>("tel2");
        QTest::addColumn<bool>("complete");
        QTest::newRow("all") << "张伟"
                             << "海通"
                             << "1"
                             << "2" << true;
        QTest::newRow("second telephone only") << "张伟"
                                               << "海通"
                                               << ""
                                               << "139" << true;
        QTest::newRow("blank contact") << "   "
                                       << "海通"
                                       << "1"
                                       << "" << false;
        QTest::newRow("no telephone") << "张伟"
                                      << "海通"
                                      << ""
                                      << "" << false;
        // Screening leaves nothing of these.
        QTest::newRow("telephones screened away") << "张伟"
                                                  << "海通"
                                                  << "()"
                                                  << " or " << false;
        QTest::newRow("company screened away") << "张伟"
                                               << "'select'"
                                               << "1"
                                               << "" << false;
    }

    void requiredFields()
    {
        QFETCH(QString, contact);
        QFETCH(QString, company);
        QFETCH(QString, tel1);
        QFETCH(QString, tel2);
        ProfileForm form = filled();
        form.contact = contact;
        form.company = company;
        form.telephone1 = tel1;
        form.telephone2 = tel2;
        QTEST(ProfileChanges::isComplete(form), "complete");
    }

    void onlyTheTelephonesAreScreened()
    {
        ProfileForm form = filled();
        form.company = QStringLiteral("O'Neil (select) 物流");
        form.contact = QStringLiteral(" 张 'or' ");
        form.telephone1 = QStringLiteral(" (021)5555 ");
        form.telephone2 = QStringLiteral("139/0000");
        const ProfileForm sent = ProfileChanges::toSend(form);
        QCOMPARE(sent.company, form.company);
        QCOMPARE(sent.contact, form.contact);
        QCOMPARE(sent.telephone1, QStringLiteral("0215555"));
        QCOMPARE(sent.telephone2, QStringLiteral("1390000"));
    }

    void acceptedChangeKeepsContactSexAndQq()
    {
        UserProfile profile;
        profile.contact = QStringLiteral("旧联系人");
        profile.sex = QStringLiteral("女");
        profile.qq = QStringLiteral("10001");
        ProfileForm sent = filled();
        sent.contact = QStringLiteral("新联系人");
        sent.sex = QStringLiteral("男");
        sent.qq = QStringLiteral("20002");
        sent.company = QStringLiteral("  新公司  ");
        sent.email = QStringLiteral(" a@b.cn ");
        sent.telephone2 = QStringLiteral("139 ");
        sent.address = QString(60, QChar(0x8def)); // 120 GBK bytes
        ProfileChanges::apply(profile, sent);
        QCOMPARE(profile.company, QStringLiteral("新公司"));
        QCOMPARE(profile.email, QStringLiteral("a@b.cn"));
        QCOMPARE(profile.telephone1, QStringLiteral("021-5555"));
        QCOMPARE(profile.telephone2, QStringLiteral("139"));
        QCOMPARE(profile.address, QString(50, QChar(0x8def))); // cut to 100 bytes
        QCOMPARE(profile.contact, QStringLiteral("旧联系人"));
        QCOMPARE(profile.sex, QStringLiteral("女"));
        QCOMPARE(profile.qq, QStringLiteral("10001"));
    }
};

QTEST_GUILESS_MAIN(ProfileChangesTest)
#include "tst_ProfileChanges.moc"
