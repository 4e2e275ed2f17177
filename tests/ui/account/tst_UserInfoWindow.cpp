// The profile window against a scripted site: its texts, the required-field refusal, the
// post's fields, the answers and their messages, the disabled fields while the post runs, a
// failed post that can be retried, and the local profile after a change.
#include "FakeExchange.h"
#include "UiTestKit.h"
#include "app/SessionState.h"
#include "ui/account/LinkLabel.h"
#include "ui/account/TfrmUserInfo.h"
#include "ui/common/MessageBoxes.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

namespace {

const QString kRoute = QStringLiteral("/index.php/User/updatepro/");

// The posted form's fields in order, decoded.
QList<QPair<QString, QString>> postedFields(const QByteArray& body)
{
    QList<QPair<QString, QString>> fields;
    for (const QByteArray& pair : body.split('&')) {
        const int eq = pair.indexOf('=');
        fields << qMakePair(QString::fromLatin1(pair.left(eq)),
                            QUrl::fromPercentEncoding(pair.mid(eq + 1).replace('+', ' ')));
    }
    return fields;
}

} // namespace

class UserInfoWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void textsAndFilledFields();
    void missingRequiredDataIsRefused_data();
    void missingRequiredDataIsRefused();
    void secondTelephoneAloneIsSentScreened();
    void successUpdatesTheProfileButContactSexAndQq();
    void refusalShowsTheErrorAndKeepsTheProfile();
    void failedPostCanBeRetried();
    void agreementLinkOpensTheProtocolPage();
    void keepAPicture();

private:
    void fillProfile();
    void submitAndWait();

    std::unique_ptr<FakeExchange> m_site;
    std::unique_ptr<TfrmUserInfo> m_window;
    QList<QUrl> m_opened;
    MessageBoxes::Recorder m_boxes;
};

void UserInfoWindowTest::fillProfile()
{
    UserProfile& p = session().profile;
    p.id = 77;
    p.contact = QStringLiteral("张伟");
    p.sex = QStringLiteral("女");
    p.telephone1 = QStringLiteral("021-5555");
    p.mobile = QStringLiteral("13900000001");
    p.telephone2 = QString();
    p.qq = QStringLiteral("10001");
    p.email = QStringLiteral("zw@example.cn");
    p.endate = QStringLiteral("2027-12-31");
    p.company = QStringLiteral("海通物流");
    p.address = QStringLiteral("上海市浦东新区");
}

void UserInfoWindowTest::init()
{
    resetSession();
    m_site = std::make_unique<FakeExchange>();
    session().HostName = QStringLiteral("localhost");
    session().baseurl = QStringLiteral(":%1").arg(m_site->port());
    fillProfile();
    m_opened.clear();
    m_boxes.clear();
    UserInfoWindowServices services;
    services.openUrl = [this](const QUrl& url) { m_opened << url; };
    services.requestDeadlineMs = 1500;
    m_window = std::make_unique<TfrmUserInfo>(services);
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
}

void UserInfoWindowTest::cleanup()
{
    m_window.reset();
    m_site.reset();
}

void UserInfoWindowTest::submitAndWait()
{
    const int posts = m_site->requests.size();
    QTest::mouseClick(m_window->btnSubmit, Qt::LeftButton);
    QTRY_VERIFY(m_site->requests.size() > posts);
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->busy(), 5000);
}

void UserInfoWindowTest::textsAndFilledFields()
{
    TfrmUserInfo& w = *m_window;
    QCOMPARE(w.windowTitle(), QStringLiteral("我的资料"));
    QCOMPARE(w.grpInfo->title(), QStringLiteral(" 会员资料 "));
    const QList<QPair<QString, QString>> labels{
        {"lblContact", "联系人:"},   {"lblSex", "性别:"},       {"lblTel1", "联系电话1:"},
        {"lblMobile", "手机:"},      {"lblTel2", "联系电话2:"}, {"lblQQ", "QQ:"},
        {"lblEMail", "电子邮箱:"},   {"lblEnd", "有效期:"},     {"lblCompany", "公司名称:"},
        {"lblAddress", "联系地址:"}, {"lblLaw", "使用协议"}};
    for (const auto& entry : labels) {
        auto* label = w.findChild<QLabel*>(entry.first);
        QVERIFY2(label, qPrintable(entry.first));
        QCOMPARE(label->text(), entry.second);
    }
    for (const char* mark : {"lblContactMark", "lblTel1Mark", "lblTel2Mark", "lblCompanyMark"})
        QCOMPARE(w.findChild<QLabel*>(QLatin1String(mark))->text(), QStringLiteral("*"));
    QCOMPARE(w.btnSubmit->text(), QStringLiteral("修改"));
    QCOMPARE(w.btnClose->text(), QStringLiteral("关闭"));
    QCOMPARE(w.lblLaw->toolTip(), QStringLiteral("点击查看详情"));
    QCOMPARE(w.cmbSex->count(), 2);

    // Filled from the profile; the mobile number read-only; widths as the profile's.
    QCOMPARE(w.edtContact->text(), QStringLiteral("张伟"));
    QCOMPARE(w.cmbSex->currentText(), QStringLiteral("女"));
    QCOMPARE(w.edtMobile->text(), QStringLiteral("13900000001"));
    QVERIFY(w.edtMobile->isReadOnly());
    QCOMPARE(w.lblEndDate->text(), QStringLiteral("2027-12-31"));
    QCOMPARE(w.edtAddress->text(), QStringLiteral("上海市浦东新区"));
    QCOMPARE(w.edtMobile->maxLength(), 11);
    QCOMPARE(w.edtAddress->maxLength(), 100);
    QCOMPARE(w.edtCompany->maxLength(), 32);
    QCOMPARE(w.minimumSize(), w.maximumSize()); // fixed size
}

void UserInfoWindowTest::missingRequiredDataIsRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("contact blank") << "edtContact"
                                   << "   ";
    QTest::newRow("company screened away") << "edtCompany"
                                           << "(select)";
}

void UserInfoWindowTest::missingRequiredDataIsRefused()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    m_window->findChild<QLineEdit*>(field)->setText(text);
    QTest::mouseClick(m_window->btnSubmit, Qt::LeftButton);
    QCOMPARE(m_boxes.count(), 1);
    QCOMPARE(m_boxes.last().text, QStringLiteral("请填写相关资料! "));
    QCOMPARE(m_boxes.last().caption, QStringLiteral("信息"));
    QCOMPARE(m_boxes.last().icon, MessageBoxes::Icon::Information);
    QTest::qWait(50);
    QVERIFY(m_site->requests.isEmpty());
    QVERIFY(m_window->btnSubmit->isEnabled());

    // Both telephones screened away count as none.
    m_window->findChild<QLineEdit*>(field)->setText(QStringLiteral("好"));
    m_window->edtTel1->setText(QStringLiteral("[]"));
    m_window->edtTel2->setText(QStringLiteral(" or "));
    m_window->btnSubmitClick();
    QCOMPARE(m_boxes.count(), 2);
    QVERIFY(m_site->requests.isEmpty());
}

void UserInfoWindowTest::secondTelephoneAloneIsSentScreened()
{
    m_site->setRoute(kRoute, "true");
    m_window->edtTel1->clear();
    m_window->edtTel2->setText(QStringLiteral(" (139)0000/1 "));
    m_window->edtCompany->setText(QStringLiteral("O'Neil \"select\" 物流"));
    m_window->edtContact->setText(QStringLiteral(" 李 'or' "));
    submitAndWait();

    const FakeExchange::Request& posted = m_site->requests.last();
    QCOMPARE(posted.method, QByteArray("POST"));
    QCOMPARE(posted.path, kRoute);
    const QList<QPair<QString, QString>> expected{{"id", "77"},
                                                  {"sex", "女"},
                                                  {"qq", "10001"},
                                                  {"contact", " 李 'or' "},
                                                  {"company", "O'Neil \"select\" 物流"},
                                                  {"email", "zw@example.cn"},
                                                  {"tel1", ""},
                                                  {"tel2", "13900001"},
                                                  {"address", "上海市浦东新区"}};
    QCOMPARE(postedFields(posted.body), expected);
}

void UserInfoWindowTest::successUpdatesTheProfileButContactSexAndQq()
{
    m_site->setRoute(kRoute, "TRUE");
    TfrmUserInfo& w = *m_window;
    w.edtContact->setText(QStringLiteral("新联系人"));
    w.cmbSex->setCurrentText(QStringLiteral("男"));
    w.edtQQ->setText(QStringLiteral("20002"));
    w.edtCompany->setText(QStringLiteral("  新海通  "));
    w.edtEMail->setText(QStringLiteral(" new@example.cn "));
    w.edtTel1->setText(QStringLiteral("(010)6666"));
    w.edtTel2->setText(QStringLiteral("139"));
    w.edtAddress->setText(QStringLiteral(" 北京 "));
    QTest::mouseClick(w.btnSubmit, Qt::LeftButton);
    // Every field is disabled while the post runs.
    QVERIFY(w.busy());
    for (QWidget* field : std::initializer_list<QWidget*>{w.btnSubmit, w.btnClose, w.edtContact,
                                                          w.cmbSex, w.edtTel1, w.edtTel2, w.edtQQ,
                                                          w.edtEMail, w.edtCompany, w.edtAddress})
        QVERIFY2(!field->isEnabled(), qPrintable(field->objectName()));
    QTRY_VERIFY_WITH_TIMEOUT(!w.busy(), 5000);
    QVERIFY(w.btnSubmit->isEnabled() && w.edtAddress->isEnabled());
    QVERIFY(w.edtMobile->isReadOnly());

    QCOMPARE(m_boxes.count(), 1);
    QCOMPARE(m_boxes.last().text, QStringLiteral("资料修改成功! "));
    QCOMPARE(m_boxes.last().caption, QStringLiteral("信息"));
    QCOMPARE(m_boxes.last().icon, MessageBoxes::Icon::Information);

    const UserProfile& p = session().profile;
    QCOMPARE(p.company, QStringLiteral("新海通"));
    QCOMPARE(p.email, QStringLiteral("new@example.cn"));
    QCOMPARE(p.telephone1, QStringLiteral("0106666"));
    QCOMPARE(p.telephone2, QStringLiteral("139"));
    QCOMPARE(p.address, QStringLiteral("北京"));
    QCOMPARE(p.contact, QStringLiteral("张伟"));
    QCOMPARE(p.sex, QStringLiteral("女"));
    QCOMPARE(p.qq, QStringLiteral("10001"));

    // A window opened afterwards shows the new values and the old contact, sex and QQ.
    TfrmUserInfo reopened{UserInfoWindowServices{}};
    QCOMPARE(reopened.edtCompany->text(), QStringLiteral("新海通"));
    QCOMPARE(reopened.edtTel1->text(), QStringLiteral("0106666"));
    QCOMPARE(reopened.edtAddress->text(), QStringLiteral("北京"));
    QCOMPARE(reopened.edtContact->text(), QStringLiteral("张伟"));
    QCOMPARE(reopened.cmbSex->currentText(), QStringLiteral("女"));
    QCOMPARE(reopened.edtQQ->text(), QStringLiteral("10001"));
}

void UserInfoWindowTest::refusalShowsTheErrorAndKeepsTheProfile()
{
    m_site->setRoute(kRoute, "false");
    m_window->edtCompany->setText(QStringLiteral("别的公司"));
    submitAndWait();
    QCOMPARE(m_boxes.count(), 1);
    QCOMPARE(m_boxes.last().text, QStringLiteral("资料修改失败! "));
    QCOMPARE(m_boxes.last().caption, QStringLiteral("信息"));
    QCOMPARE(m_boxes.last().icon, MessageBoxes::Icon::Error);
    QCOMPARE(session().profile.company, QStringLiteral("海通物流"));
    QVERIFY(m_window->btnSubmit->isEnabled());
}

void UserInfoWindowTest::failedPostCanBeRetried()
{
    m_window->edtCompany->setText(QStringLiteral("别的公司"));
    m_window->edtTel2->setText(QStringLiteral("139"));
    // A site that never answers, then one that answers no boolean word: no message, nothing
    // changed, the window enabled again.
    m_site->hangRoute(kRoute);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("profile update got no answer"));
    submitAndWait();
    m_site->setRoute(kRoute, "ok");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no boolean word"));
    submitAndWait();
    QCOMPARE(m_boxes.count(), 0);
    const UserProfile& p = session().profile;
    QCOMPARE(p.company, QStringLiteral("海通物流"));
    QCOMPARE(p.telephone2, QString());
    QVERIFY(m_window->btnSubmit->isEnabled() && m_window->edtCompany->isEnabled());

    // The second click goes through.
    m_site->setRoute(kRoute, "true");
    submitAndWait();
    QCOMPARE(m_site->requests.size(), 3);
    QCOMPARE(p.company, QStringLiteral("别的公司"));
    QCOMPARE(p.telephone2, QStringLiteral("139"));
    QCOMPARE(m_boxes.last().text, QStringLiteral("资料修改成功! "));
}

void UserInfoWindowTest::agreementLinkOpensTheProtocolPage()
{
    QTest::mouseClick(m_window->lblLaw, Qt::LeftButton);
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(m_opened.first().toString(),
             QStringLiteral("http://www.localhost:%1/ad/protocl.html").arg(m_site->port()));
}

void UserInfoWindowTest::keepAPicture()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(m_window->grab().save(UiTestKit::artifactDirectory() +
                                  QStringLiteral("/userinfo-window.png")));
}

QTEST_MAIN(UserInfoWindowTest)
#include "tst_UserInfoWindow.moc"
