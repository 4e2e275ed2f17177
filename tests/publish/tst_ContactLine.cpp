// The contact captions from the profile and the two contact-line rules.
#include "app/UserProfile.h"
#include "publish/ContactLine.h"

#include <QtTest>

namespace {

ContactLine::Boxes boxes(const QString& mobile, const QString& tel1, const QString& tel2,
                         const QString& company)
{
    ContactLine::Boxes b;
    b.mobile.caption = mobile;
    b.telephone1.caption = tel1;
    b.telephone2.caption = tel2;
    b.company.caption = company;
    return b;
}

} // namespace

class ContactLineTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void captionsComeFromTheProfileCutToTheirWidths();
    void landLineHasALeadingSpacePerBoxThenTrims();
    void landLineKeepsTwoSpacesForAnEmptyMiddleBox();
    void familyLineHasCaptionAndSpaceThenTheCompany();
};

void ContactLineTest::captionsComeFromTheProfileCutToTheirWidths()
{
    UserProfile profile;
    profile.mobile = QStringLiteral("138001380001234");
    profile.telephone1 = QStringLiteral("021-6\n666");
    profile.telephone2.clear();
    profile.company = QString(40, QChar(0x7269));
    const ContactLine::Boxes b = ContactLine::fromProfile(profile);
    QCOMPARE(b.mobile.caption, QStringLiteral("13800138000"));
    QCOMPARE(b.telephone1.caption, QStringLiteral("021-6666"));
    QCOMPARE(b.telephone2.caption, QString());
    QCOMPARE(b.company.caption, QString(32, QChar(0x7269)));
    QVERIFY(b.mobile.checked && b.telephone1.checked && b.telephone2.checked && b.company.checked);
}

void ContactLineTest::landLineHasALeadingSpacePerBoxThenTrims()
{
    ContactLine::Boxes b = boxes("13800138000", "021-1", "021-2", "沪通物流");
    QCOMPARE(ContactLine::land(b), QStringLiteral("13800138000 021-1 021-2 沪通物流"));
    b.mobile.checked = false;
    b.telephone2.checked = false;
    QCOMPARE(ContactLine::land(b), QStringLiteral("021-1 沪通物流"));
    b.telephone1.checked = false;
    b.company.checked = false;
    QCOMPARE(ContactLine::land(b), QString());
}

void ContactLineTest::landLineKeepsTwoSpacesForAnEmptyMiddleBox()
{
    const ContactLine::Boxes b = boxes("13800138000", "021-1", "", "沪通物流");
    QCOMPARE(ContactLine::land(b), QStringLiteral("13800138000 021-1  沪通物流"));
}

void ContactLineTest::familyLineHasCaptionAndSpaceThenTheCompany()
{
    ContactLine::Boxes b = boxes("13800138000", "021-1", "", "沪通物流");
    QCOMPARE(ContactLine::family(b), QStringLiteral("13800138000 021-1  沪通物流"));
    b.company.checked = false;
    QCOMPARE(ContactLine::family(b), QStringLiteral("13800138000 021-1  "));
    b = boxes("", "", "", "");
    QCOMPARE(ContactLine::family(b), QStringLiteral("   "));
}

QTEST_GUILESS_MAIN(ContactLineTest)
#include "tst_ContactLine.moc"
