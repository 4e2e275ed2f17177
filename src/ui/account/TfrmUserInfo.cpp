#include "ui/account/TfrmUserInfo.h"

#include "app/ProfileChanges.h"
#include "app/SessionState.h"
#include "app/UserProfile.h"
#include "service/ProfileUpdateRequest.h"
#include "service/WebRoutes.h"
#include "ui/account/LinkLabel.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/Theme.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// The red mark of a required field.
QLabel* requiredMark(QWidget* parent, const QString& name)
{
    QLabel* mark = makeLabel(parent, name, QStringLiteral("*"));
    mark->setStyleSheet(QStringLiteral("color: red;"));
    return mark;
}

} // namespace

TfrmUserInfo::TfrmUserInfo(const UserInfoWindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_request(new ProfileUpdateRequest(this))
{
    setObjectName(QStringLiteral("frmUserInfo"));
    setWindowTitle(QStringLiteral("我的资料"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Theme::colour());
    setPalette(palette);
    setAutoFillBackground(true);
    m_request->setDeadlineMs(m_services.requestDeadlineMs);
    buildLayout();
    refill();
    setFixedSize(sizeHint());
}

QLineEdit* TfrmUserInfo::makeEdit(const QString& name, const QString& profileKey)
{
    auto* edit = new QLineEdit(grpInfo);
    edit->setObjectName(name);
    // The profile keeps no more than its width; longer input could not come back.
    edit->setMaxLength(UserProfile::byteWidth(profileKey));
    return edit;
}

void TfrmUserInfo::buildLayout()
{
    grpInfo = new QGroupBox(QStringLiteral(" 会员资料 "), this);
    grpInfo->setObjectName(QStringLiteral("grpInfo"));

    edtContact = makeEdit(QStringLiteral("edtContact"), QStringLiteral("contact"));
    cmbSex = new QComboBox(grpInfo);
    cmbSex->setObjectName(QStringLiteral("cmbSex"));
    cmbSex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    edtTel1 = makeEdit(QStringLiteral("edtTel1"), QStringLiteral("telephone1"));
    edtMobile = makeEdit(QStringLiteral("edtMobile"), QStringLiteral("mobile"));
    edtMobile->setReadOnly(true);
    edtTel2 = makeEdit(QStringLiteral("edtTel2"), QStringLiteral("telephone2"));
    edtQQ = makeEdit(QStringLiteral("edtQQ"), QStringLiteral("qq"));
    edtEMail = makeEdit(QStringLiteral("edtEMail"), QStringLiteral("email"));
    lblEndDate = makeLabel(grpInfo, QStringLiteral("lblEndDate"), QString());
    edtCompany = makeEdit(QStringLiteral("edtCompany"), QStringLiteral("company"));
    edtAddress = makeEdit(QStringLiteral("edtAddress"), QStringLiteral("address"));
    edtAddress->setMinimumWidth(360);

    auto* grid = new QGridLayout(grpInfo);
    // Two pairs per row; company and address take a whole row each.
    auto addPair = [&](int row, int column, const QString& labelName, const QString& text,
                       QWidget* field, const QString& markName) {
        grid->addWidget(makeLabel(grpInfo, labelName, text), row, column * 3, Qt::AlignRight);
        grid->addWidget(field, row, column * 3 + 1);
        if (!markName.isEmpty())
            grid->addWidget(requiredMark(grpInfo, markName), row, column * 3 + 2);
    };
    addPair(0, 0, QStringLiteral("lblContact"), QStringLiteral("联系人:"), edtContact,
            QStringLiteral("lblContactMark"));
    addPair(0, 1, QStringLiteral("lblSex"), QStringLiteral("性别:"), cmbSex, QString());
    addPair(1, 0, QStringLiteral("lblTel1"), QStringLiteral("联系电话1:"), edtTel1,
            QStringLiteral("lblTel1Mark"));
    addPair(1, 1, QStringLiteral("lblMobile"), QStringLiteral("手机:"), edtMobile, QString());
    addPair(2, 0, QStringLiteral("lblTel2"), QStringLiteral("联系电话2:"), edtTel2,
            QStringLiteral("lblTel2Mark"));
    addPair(2, 1, QStringLiteral("lblQQ"), QStringLiteral("QQ:"), edtQQ, QString());
    addPair(3, 0, QStringLiteral("lblEMail"), QStringLiteral("电子邮箱:"), edtEMail, QString());
    addPair(3, 1, QStringLiteral("lblEnd"), QStringLiteral("有效期:"), lblEndDate, QString());
    grid->addWidget(makeLabel(grpInfo, QStringLiteral("lblCompany"), QStringLiteral("公司名称:")),
                    4, 0, Qt::AlignRight);
    grid->addWidget(edtCompany, 4, 1, 1, 4);
    grid->addWidget(requiredMark(grpInfo, QStringLiteral("lblCompanyMark")), 4, 5);
    grid->addWidget(makeLabel(grpInfo, QStringLiteral("lblAddress"), QStringLiteral("联系地址:")),
                    5, 0, Qt::AlignRight);
    grid->addWidget(edtAddress, 5, 1, 1, 4);

    btnSubmit = new QPushButton(QStringLiteral("修改"), this);
    btnSubmit->setObjectName(QStringLiteral("btnSubmit"));
    btnClose = new QPushButton(QStringLiteral("关闭"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    lblLaw = new LinkLabel(QStringLiteral("使用协议"), this);
    lblLaw->setObjectName(QStringLiteral("lblLaw"));
    lblLaw->setToolTip(QStringLiteral("点击查看详情"));
    connect(btnSubmit, &QPushButton::clicked, this, &TfrmUserInfo::btnSubmitClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmUserInfo::btnCloseClick);
    connect(lblLaw, &LinkLabel::clicked, this, &TfrmUserInfo::lblLawClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblLaw);
    buttons->addStretch();
    buttons->addWidget(btnSubmit);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpInfo);
    layout->addLayout(buttons);
}

void TfrmUserInfo::refill()
{
    const UserProfile& profile = session().profile;
    edtContact->setText(profile.contact);
    const int sex = cmbSex->findText(profile.sex);
    cmbSex->setCurrentIndex(sex >= 0 ? sex : 0);
    edtTel1->setText(profile.telephone1);
    edtMobile->setText(profile.mobile);
    edtTel2->setText(profile.telephone2);
    edtQQ->setText(profile.qq);
    edtEMail->setText(profile.email);
    lblEndDate->setText(profile.endate);
    edtCompany->setText(profile.company);
    edtAddress->setText(profile.address);
}

ProfileForm TfrmUserInfo::form() const
{
    ProfileForm typed;
    typed.contact = edtContact->text();
    typed.sex = cmbSex->currentText();
    typed.telephone1 = edtTel1->text();
    typed.telephone2 = edtTel2->text();
    typed.qq = edtQQ->text();
    typed.email = edtEMail->text();
    typed.company = edtCompany->text();
    typed.address = edtAddress->text();
    return typed;
}

void TfrmUserInfo::btnSubmitClick()
{
    if (m_busy)
        return;
    const ProfileForm typed = form();
    if (!ProfileChanges::isComplete(typed)) {
        MessageBoxes::information(this, MessageBoxes::captionInfo(),
                                  QStringLiteral("请填写相关资料! "));
        return;
    }
    const ProfileForm sent = ProfileChanges::toSend(typed);
    setFieldsEnabled(false);
    QPointer<TfrmUserInfo> self(this);
    m_request->submit(session().profile.id, sent,
                      [self, sent](ProfileUpdateRequest::Outcome outcome) {
                          if (!self)
                              return;
                          // Enabled again before any message, whatever the answer was.
                          self->setFieldsEnabled(true);
                          switch (outcome) {
                          case ProfileUpdateRequest::Outcome::Updated:
                              ProfileChanges::apply(session().profile, sent);
                              MessageBoxes::information(self, MessageBoxes::captionInfo(),
                                                        QStringLiteral("资料修改成功! "));
                              break;
                          case ProfileUpdateRequest::Outcome::Refused:
                              MessageBoxes::error(self, MessageBoxes::captionInfo(),
                                                  QStringLiteral("资料修改失败! "));
                              break;
                          case ProfileUpdateRequest::Outcome::Failed:
                              // Logged by the request; the user may try again.
                              break;
                          }
                      });
}

void TfrmUserInfo::setFieldsEnabled(bool enabled)
{
    m_busy = !enabled;
    for (QWidget* field : std::initializer_list<QWidget*>{btnSubmit, btnClose, edtContact, cmbSex,
                                                          edtTel1, edtMobile, edtTel2, edtQQ,
                                                          edtEMail, edtCompany, edtAddress})
        field->setEnabled(enabled);
}

void TfrmUserInfo::btnCloseClick()
{
    close();
}

void TfrmUserInfo::lblLawClick()
{
    const QUrl url = HttpClient::urlForAddress(WebRoutes::protocolPage());
    if (m_services.openUrl)
        m_services.openUrl(url);
    else
        QDesktopServices::openUrl(url);
}
