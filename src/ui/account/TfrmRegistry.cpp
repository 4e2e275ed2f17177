#include "ui/account/TfrmRegistry.h"

#include "app/SessionState.h"
#include "core/TextTrim.h"
#include "refdata/RegionTree.h"
#include "service/RegistrationRequests.h"
#include "service/WebRoutes.h"
#include "ui/account/LinkLabel.h"
#include "ui/account/TfrmLogin.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/Theme.h"
#include "ui/common/UiLog.h"
#include "ui/refdata/RegionRegistrationCascade.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QSize kCustomerServiceSize(710, 470);

const char* const kTerms[] = {
    "一、本网所提供的一切服务的所有权、运营权和解释权均归本网所有。",
    "二、会员应提供真实、准确、完整的注册资料，资料变更时应及时更新；因资料不实造成的后果由会员"
    "自行承担。",
    "三、会员对本人帐号和密码的安全负责，不得将帐号转让或出借他人使用；因帐号或密码保管不善造成"
    "的损失由会员自行承担。",
    "四、会员发布的货源、车源及其他信息必须真实、合法，不得发布虚假、违法或侵害他人权益的信息；"
    "本网有权删除违规信息并停止相关帐号的使用。",
    "五、本网只为会员提供信息交流的平台，会员之间的交易由双方自行协商并各自承担责任，本网不参与"
    "交易，也不对交易的结果负责。",
    "六、因网络故障、系统维护或其他不可抗力造成的服务中断或信息延误，本网不承担责任，但将尽力减少"
    "对会员的影响。",
    "七、用户须先注册成为本网会员，方可使用本网提供的各项服务；完成注册即表示您已阅读并同意以上"
    "全部条款。",
};

QLabel* titleLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 2);
    label->setFont(font);
    return label;
}

QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The red star in front of a required field's label.
QWidget* requiredLabel(const QString& text, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addStretch();
    auto* star = new QLabel(QStringLiteral("*"), box);
    star->setStyleSheet(QStringLiteral("color: #ff0000;"));
    row->addWidget(star);
    row->addWidget(plainLabel(text, box));
    return box;
}

QLineEdit* lineEdit(const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

bool isUserFocusMove(Qt::FocusReason reason)
{
    // A message box or another window taking the focus is not the user leaving the field.
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

bool mobileVerificationOn()
{
    return TrimLowChars(session().authmobile).compare(QLatin1String("true"), Qt::CaseInsensitive) ==
           0;
}

} // namespace

TfrmRegistry::TfrmRegistry(TfrmLogin& login, const RegistryWindowServices& services,
                           QWidget* parent)
    : QDialog(parent), m_login(login), m_services(services),
      m_requests(new RegistrationRequests(this))
{
    setObjectName(QStringLiteral("frmRegistry"));
    setWindowTitle(QStringLiteral("用户注册"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QPalette background = palette();
    background.setColor(QPalette::Window, Theme::colour());
    setPalette(background);
    setAutoFillBackground(true);
    m_requests->setDeadlineMs(m_services.requestDeadlineMs);

    nbMain = new QStackedWidget(this);
    nbMain->setObjectName(QStringLiteral("nbMain"));
    index = buildIndexPage();
    auth = new QWidget(nbMain);
    auth->setObjectName(QStringLiteral("auth"));
    nbVerify = new QStackedWidget(auth);
    nbVerify->setObjectName(QStringLiteral("nbVerify"));
    pgMobile = buildMobilePage();
    pgVerify = buildVerifyPage();
    nbVerify->addWidget(pgMobile);
    nbVerify->addWidget(pgVerify);
    auto* authLayout = new QVBoxLayout(auth);
    authLayout->setContentsMargins(0, 0, 0, 0);
    authLayout->addWidget(nbVerify);
    reginfo = buildInfoPage();
    nbMain->addWidget(index);
    nbMain->addWidget(auth);
    nbMain->addWidget(reginfo);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(nbMain);
    setFixedSize(600, 560);

    m_regions = new RegionRegistrationCascade(chkProv, chkCity, RegionTree::shared());
    nbMain->setCurrentWidget(index);
}

TfrmRegistry::~TfrmRegistry() = default;

QPushButton* TfrmRegistry::makeButton(const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QWidget* TfrmRegistry::buildIndexPage()
{
    auto* page = new QWidget(nbMain);
    page->setObjectName(QStringLiteral("index"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        titleLabel(QStringLiteral("lblTitleIndex"), QStringLiteral("第一步、会员服务条款"), page));

    memTerms = new QPlainTextEdit(page);
    memTerms->setObjectName(QStringLiteral("memTerms"));
    memTerms->setReadOnly(true);
    QStringList clauses;
    for (const char* clause : kTerms)
        clauses.append(QString::fromUtf8(clause));
    memTerms->setPlainText(clauses.join(QLatin1Char('\n')));
    layout->addWidget(memTerms, 1);

    auto* buttons = new QHBoxLayout;
    lblDisclaimer = new LinkLabel(QStringLiteral("免责声明"), page);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setToolTip(QStringLiteral("点击查看详情"));
    buttons->addWidget(lblDisclaimer);
    buttons->addStretch();
    btnAccept = makeButton(QStringLiteral("btnAccept"), QStringLiteral("我接受"));
    btnDeny = makeButton(QStringLiteral("btnDeny"), QStringLiteral("我拒绝"));
    buttons->addWidget(btnAccept);
    buttons->addWidget(btnDeny);
    layout->addLayout(buttons);

    connect(lblDisclaimer, &LinkLabel::clicked, this, &TfrmRegistry::lblDisclaimerClick);
    connect(btnAccept, &QPushButton::clicked, this, &TfrmRegistry::btnAcceptClick);
    connect(btnDeny, &QPushButton::clicked, this, &TfrmRegistry::btnDenyClick);
    return page;
}

QWidget* TfrmRegistry::buildMobilePage()
{
    auto* page = new QWidget(nbVerify);
    page->setObjectName(QStringLiteral("pgMobile"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(titleLabel(QStringLiteral("lblTitleMobile"),
                                 QStringLiteral("第二步、手机验证(输入手机号码)"), page));

    auto* entry = new QHBoxLayout;
    entry->addWidget(plainLabel(QStringLiteral("联系手机:"), page));
    edtMobile = lineEdit(QStringLiteral("edtMobile"), page);
    edtMobile->setMaxLength(11);
    entry->addWidget(edtMobile);
    auto* free = plainLabel(QStringLiteral("接收短信免费"), page);
    free->setObjectName(QStringLiteral("lblFree"));
    free->setStyleSheet(QStringLiteral("color: #ff0000;"));
    entry->addWidget(free);
    entry->addStretch();
    layout->addLayout(entry);

    const QString notes[] = {
        QStringLiteral("说明:1,请提供正确的手机号码，且手机处于开机状态。"),
        QStringLiteral("2,本系统向您发送的短信只有6位数字。"),
        QStringLiteral("3,您接收本次短信密码，本系统不会收取任何费用。"),
        QStringLiteral("4,如果对手机验证有疑问或操作有问题请点击“联系在线客服”"),
    };
    int number = 1;
    for (const QString& note : notes) {
        auto* label = plainLabel(note, page);
        label->setObjectName(QStringLiteral("lblNote%1").arg(number++));
        layout->addWidget(label);
    }
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    btnCSR = makeButton(QStringLiteral("btnCSR"), QStringLiteral("联系在线客服"));
    buttons->addWidget(btnCSR);
    buttons->addStretch();
    btnCommit = makeButton(QStringLiteral("btnCommit"), QStringLiteral("开始"));
    btnCancle = makeButton(QStringLiteral("btnCancle"), QStringLiteral("关闭"));
    buttons->addWidget(btnCommit);
    buttons->addWidget(btnCancle);
    layout->addLayout(buttons);

    connect(btnCommit, &QPushButton::clicked, this, &TfrmRegistry::btnCommitClick);
    connect(btnCancle, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnCSR, &QPushButton::clicked, this, &TfrmRegistry::btnCSRClick);
    return page;
}

QWidget* TfrmRegistry::buildVerifyPage()
{
    auto* page = new QWidget(nbVerify);
    page->setObjectName(QStringLiteral("pgVerify"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(titleLabel(QStringLiteral("lblTitleVerify"),
                                 QStringLiteral("第三步、手机验证(输入接收到的短信密码)"), page));

    auto* sent = new QHBoxLayout;
    auto* sentTo = plainLabel(QStringLiteral("系统已向您的手机"), page);
    sentTo->setObjectName(QStringLiteral("lblSentTo"));
    lblMobile = plainLabel(QString(), page);
    lblMobile->setObjectName(QStringLiteral("lblMobile"));
    lblMobile->setStyleSheet(QStringLiteral("color: #ff0000;"));
    auto* sentNote = plainLabel(QStringLiteral("发送了验证密码，请在30分钟内输入"), page);
    sentNote->setObjectName(QStringLiteral("lblSentNote"));
    sent->addWidget(sentTo);
    sent->addWidget(lblMobile);
    sent->addWidget(sentNote);
    sent->addStretch();
    layout->addLayout(sent);

    lblSender = plainLabel(
        QStringLiteral("验证密码由本信息交易平台以短信发送到您的手机，请注意查收。"), page);
    lblSender->setObjectName(QStringLiteral("lblSender"));
    layout->addWidget(lblSender);

    auto* entry = new QHBoxLayout;
    entry->addWidget(plainLabel(QStringLiteral("验证密码:"), page));
    edtVerify = lineEdit(QStringLiteral("edtVerify"), page);
    edtVerify->setToolTip(QStringLiteral("请输入您接收到的短信密码"));
    edtVerify->setPlaceholderText(QStringLiteral("请输入您接收到的短信密码"));
    entry->addWidget(edtVerify);
    entry->addStretch();
    layout->addLayout(entry);
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    btnCsr2 = makeButton(QStringLiteral("btnCsr2"), QStringLiteral("联系在线客服"));
    buttons->addWidget(btnCsr2);
    buttons->addStretch();
    btnAuth = makeButton(QStringLiteral("btnAuth"), QStringLiteral("验证"));
    btnPre = makeButton(QStringLiteral("btnPre"), QStringLiteral("上一步"));
    btnClos = makeButton(QStringLiteral("btnClos"), QStringLiteral("关闭"));
    buttons->addWidget(btnAuth);
    buttons->addWidget(btnPre);
    buttons->addWidget(btnClos);
    layout->addLayout(buttons);

    connect(btnAuth, &QPushButton::clicked, this, &TfrmRegistry::btnAuthClick);
    connect(btnPre, &QPushButton::clicked, this, &TfrmRegistry::btnPreClick);
    connect(btnClos, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnCsr2, &QPushButton::clicked, this, &TfrmRegistry::btnCSRClick);
    return page;
}

QWidget* TfrmRegistry::buildInfoPage()
{
    auto* page = new QWidget(nbMain);
    page->setObjectName(QStringLiteral("reginfo"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        titleLabel(QStringLiteral("lblTitleInfo"), QStringLiteral("填写注册信息"), page));

    auto* typeLabel = plainLabel(QStringLiteral("请认真选择合适的企业或个人身份"), page);
    typeLabel->setObjectName(QStringLiteral("lblUserType"));
    layout->addWidget(typeLabel);
    auto* types = new QHBoxLayout;
    const struct
    {
        QRadioButton** button;
        const char* name;
        const char* text;
        int type;
    } radios[] = {
        {&RadioButton1, "RadioButton1", "物流企业", 1},
        {&RadioButton2, "RadioButton2", "生产贸易企业", 3},
        {&RadioButton3, "RadioButton3", "个人车主", 2},
        {&RadioButton4, "RadioButton4", "个人货主", 4},
    };
    for (const auto& radio : radios) {
        auto* button = new QRadioButton(QString::fromUtf8(radio.text), page);
        button->setObjectName(QLatin1String(radio.name));
        *radio.button = button;
        types->addWidget(button);
        const int type = radio.type;
        connect(button, &QRadioButton::clicked, this, [this, type] { RadioButtonClick(type); });
    }
    types->addStretch();
    layout->addLayout(types);
    RadioButton1->setChecked(true);

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](QWidget* label, QWidget* field, QWidget* extra = nullptr) {
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        if (extra)
            grid->addWidget(extra, row, 2);
        ++row;
    };

    edtUser = lineEdit(QStringLiteral("edtUser"), page);
    auto* userExtra = new QWidget(page);
    auto* userExtraRow = new QHBoxLayout(userExtra);
    userExtraRow->setContentsMargins(0, 0, 0, 0);
    lblCheck = new LinkLabel(QStringLiteral("存在?"), userExtra);
    lblCheck->setObjectName(QStringLiteral("lblCheck"));
    lblCheck->setToolTip(QStringLiteral("检查该用户名是否可用"));
    userExtraRow->addWidget(lblCheck);
    auto* userNote = plainLabel(QStringLiteral("由英文字母和数字组成"), userExtra);
    userNote->setObjectName(QStringLiteral("lblUserNote"));
    userExtraRow->addWidget(userNote);
    userExtraRow->addStretch();
    addRow(requiredLabel(QStringLiteral("用户名:"), page), edtUser, userExtra);

    edtpassword = lineEdit(QStringLiteral("edtpassword"), page);
    edtpassword->setEchoMode(QLineEdit::Password);
    addRow(requiredLabel(QStringLiteral("密  码:"), page), edtpassword);

    edtTrueName = lineEdit(QStringLiteral("edtTrueName"), page);
    addRow(requiredLabel(QStringLiteral("姓  名:"), page), edtTrueName);

    cmbSex = new QComboBox(page);
    cmbSex->setObjectName(QStringLiteral("cmbSex"));
    cmbSex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    cmbSex->setCurrentIndex(0);
    addRow(plainLabel(QStringLiteral("性  别:"), page), cmbSex);

    edtTel = lineEdit(QStringLiteral("edtTel"), page);
    addRow(requiredLabel(QStringLiteral("电  话:"), page), edtTel);

    edtMoblie = lineEdit(QStringLiteral("edtMoblie"), page);
    edtMoblie->setMaxLength(11);
    addRow(requiredLabel(QStringLiteral("手  机:"), page), edtMoblie);

    edtMail = lineEdit(QStringLiteral("edtMail"), page);
    addRow(plainLabel(QStringLiteral("E-mail:"), page), edtMail);

    edtQQ = lineEdit(QStringLiteral("edtQQ"), page);
    addRow(plainLabel(QStringLiteral("QQ:"), page), edtQQ);

    edtCompany = lineEdit(QStringLiteral("edtCompany"), page);
    edtCompany->setToolTip(QStringLiteral("个人请填联系人名称"));
    addRow(requiredLabel(QStringLiteral("公司名称:"), page), edtCompany);

    auto* place = new QWidget(page);
    auto* placeRow = new QHBoxLayout(place);
    placeRow->setContentsMargins(0, 0, 0, 0);
    chkProv = new QComboBox(place);
    chkProv->setObjectName(QStringLiteral("chkProv"));
    chkCity = new QComboBox(place);
    chkCity->setObjectName(QStringLiteral("chkCity"));
    chkProv->setMinimumContentsLength(6);
    chkCity->setMinimumContentsLength(8);
    placeRow->addWidget(chkProv);
    placeRow->addWidget(chkCity);
    placeRow->addStretch();
    addRow(requiredLabel(QStringLiteral("所在省市:"), page), place);

    edtAddress = lineEdit(QStringLiteral("edtAddress"), page);
    addRow(plainLabel(QStringLiteral("详细地址:"), page), edtAddress);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* agreement = new QHBoxLayout;
    cmbProtocol = new QCheckBox(QStringLiteral("接受Tovanta协议"), page);
    cmbProtocol->setObjectName(QStringLiteral("cmbProtocol"));
    cmbProtocol->setChecked(true);
    lblLaw = new LinkLabel(QStringLiteral("阅读协议"), page);
    lblLaw->setObjectName(QStringLiteral("lblLaw"));
    agreement->addWidget(cmbProtocol);
    agreement->addWidget(lblLaw);
    agreement->addStretch();
    layout->addLayout(agreement);
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnReg = makeButton(QStringLiteral("btnReg"), QStringLiteral("提交注册"));
    btnClose = makeButton(QStringLiteral("btnClose"), QStringLiteral("关闭"));
    buttons->addWidget(btnReg);
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);

    edtUser->installEventFilter(this);
    edtpassword->installEventFilter(this);
    connect(lblCheck, &LinkLabel::clicked, this, &TfrmRegistry::lblCheckClick);
    connect(lblLaw, &LinkLabel::clicked, this, &TfrmRegistry::lblLawClick);
    connect(btnReg, &QPushButton::clicked, this, &TfrmRegistry::btnRegClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    return page;
}

int TfrmRegistry::run(TfrmLogin& login, const RegistryWindowServices& services)
{
    TfrmRegistry window(login, services);
    login.hideForRegistration();
    return window.exec();
}

RegistrationForm TfrmRegistry::form() const
{
    RegistrationForm form;
    form.userName = edtUser->text();
    form.password = edtpassword->text();
    form.contact = edtTrueName->text();
    form.sex = cmbSex->currentText();
    form.telephone = edtTel->text();
    form.mobile = edtMoblie->text();
    form.email = edtMail->text();
    form.qq = edtQQ->text();
    form.company = edtCompany->text();
    form.province = chkProv->currentIndex() >= 0 ? chkProv->currentText() : QString();
    form.city = chkCity->currentIndex() >= 0 ? chkCity->currentText() : QString();
    form.address = edtAddress->text();
    form.userType = m_userType;
    form.agreementAccepted = cmbProtocol->isChecked();
    return form;
}

void TfrmRegistry::btnAcceptClick()
{
    const bool verify = mobileVerificationOn();
    edtUser->setReadOnly(verify);
    edtMoblie->setReadOnly(verify);
    if (verify) {
        nbVerify->setCurrentWidget(pgMobile);
        nbMain->setCurrentWidget(auth);
        edtMobile->setFocus();
    } else {
        nbMain->setCurrentWidget(reginfo);
        edtUser->setFocus();
    }
}

void TfrmRegistry::btnDenyClick()
{
    reject();
}

void TfrmRegistry::setBusy(bool busy)
{
    m_busy = busy;
}

void TfrmRegistry::setMobileButtonsEnabled(bool enabled)
{
    btnCommit->setEnabled(enabled);
    btnCancle->setEnabled(enabled);
}

void TfrmRegistry::setVerifyButtonsEnabled(bool enabled)
{
    btnAuth->setEnabled(enabled);
    btnPre->setEnabled(enabled);
    btnClos->setEnabled(enabled);
}

void TfrmRegistry::setSubmitButtonsEnabled(bool enabled)
{
    btnReg->setEnabled(enabled);
    btnClose->setEnabled(enabled);
    lblCheck->setEnabled(enabled);
}

void TfrmRegistry::btnCommitClick()
{
    if (m_busy)
        return;
    if (!RegistrationChecks::isMobileNumber(edtMobile->text())) {
        MessageBoxes::warning(this, MessageBoxes::captionPromptInfo(),
                              QStringLiteral("请输入正确的手机号码！"));
        edtMobile->setFocus();
        return;
    }
    const QString mobile = TrimLowChars(edtMobile->text());
    setBusy(true);
    setMobileButtonsEnabled(false);
    m_requests->sendCode(mobile, [this, mobile](const RegistrationRequests::Answer& answer) {
        setBusy(false);
        setMobileButtonsEnabled(true);
        if (!answer.ok)
            return; // logged by the requests; the page stays as it is
        if (answer.text == QLatin1String("error")) {
            MessageBoxes::warning(this, MessageBoxes::captionPromptInfo(),
                                  QStringLiteral("手机号码验证不通过"));
            return;
        }
        lblMobile->setText(mobile);
        edtUser->setText(mobile);
        edtMoblie->setText(mobile);
        edtVerify->clear();
        nbVerify->setCurrentWidget(pgVerify);
        edtVerify->setFocus();
    });
}

void TfrmRegistry::btnAuthClick()
{
    if (m_busy)
        return;
    setVerifyButtonsEnabled(false);
    const QString code = TrimLowChars(edtVerify->text());
    if (code.isEmpty()) {
        setVerifyButtonsEnabled(true);
        return;
    }
    setBusy(true);
    m_requests->verifyCode(
        code, edtUser->text(), [this](const RegistrationRequests::Answer& answer) {
            setBusy(false);
            setVerifyButtonsEnabled(true);
            if (!answer.ok)
                return; // logged by the requests; the page stays as it is
            if (answer.text == QLatin1String("true")) {
                nbMain->setCurrentWidget(reginfo);
                edtpassword->setFocus();
                return;
            }
            MessageBoxes::information(this, MessageBoxes::captionPromptInfo(),
                                      QStringLiteral("手机验证失败,请输入正确的短信密码。"));
        });
}

void TfrmRegistry::btnPreClick()
{
    nbVerify->setCurrentWidget(pgMobile);
}

void TfrmRegistry::btnCSRClick()
{
    const QString address = session().customerServiceUrl.trimmed();
    const QUrl url = QUrl::fromUserInput(address);
    if (address.isEmpty() || !url.isValid()) {
        // The address arrives with the base information the login window fetches.
        qCWarning(lcUi) << "no customer-service address to open:" << address.left(200);
        MessageBoxes::information(this, MessageBoxes::captionPromptInfo(),
                                  QStringLiteral("暂时无法连接在线客服，请稍后再试。"));
        return;
    }
    if (m_services.openBrowserWindow)
        m_services.openBrowserWindow(this, url, kCustomerServiceSize, QStringLiteral(" 在线客服"));
    else
        QDesktopServices::openUrl(url);
}

void TfrmRegistry::RadioButtonClick(int userType)
{
    m_userType = userType;
    if (userType == 2 || userType == 4) {
        const QRadioButton* chosen = userType == 2 ? RadioButton3 : RadioButton4;
        edtCompany->setText(chosen->text());
        edtCompany->setReadOnly(true);
    } else {
        edtCompany->clear();
        edtCompany->setReadOnly(false);
    }
}

void TfrmRegistry::lblCheckClick()
{
    if (m_busy)
        return;
    const QString userName = TrimLowChars(edtUser->text());
    if (userName.isEmpty())
        return;
    setBusy(true);
    setSubmitButtonsEnabled(false);
    m_requests->checkName(userName, [this](const RegistrationRequests::Answer& answer) {
        setBusy(false);
        setSubmitButtonsEnabled(true);
        if (!answer.ok)
            return; // logged by the requests
        if (answer.text == QLatin1String("true")) {
            MessageBoxes::warning(this, MessageBoxes::captionPromptInfo(),
                                  QStringLiteral("该用户已存在，请重新选择  "));
            return;
        }
        MessageBoxes::information(this, MessageBoxes::captionPromptInfo(),
                                  QStringLiteral("该用户名可用，可以继续注册 "));
    });
}

QLineEdit* TfrmRegistry::fieldOf(RegistrationChecks::Field field) const
{
    using Field = RegistrationChecks::Field;
    switch (field) {
    case Field::None:
        return nullptr;
    case Field::UserName:
        return edtUser;
    case Field::Password:
        return edtpassword;
    case Field::Contact:
        return edtTrueName;
    case Field::Company:
        return edtCompany;
    case Field::Mobile:
        return edtMoblie;
    case Field::Email:
        return edtMail;
    }
    return nullptr;
}

void TfrmRegistry::refuse(const RegistrationChecks::Verdict& verdict)
{
    const QString text = RegistrationChecks::message(verdict.refusal);
    if (RegistrationChecks::isWarning(verdict.refusal))
        MessageBoxes::warning(this, MessageBoxes::captionPromptInfo(), text);
    else
        MessageBoxes::information(this, MessageBoxes::captionPromptInfo(), text);
    if (QLineEdit* field = fieldOf(verdict.focus))
        field->setFocus(Qt::OtherFocusReason);
}

void TfrmRegistry::btnRegClick()
{
    if (m_busy)
        return;
    const RegistrationChecks::Verdict local = RegistrationChecks::checkBeforeNameLookup(form());
    if (!local.passed()) {
        refuse(local);
        return;
    }
    setBusy(true);
    setSubmitButtonsEnabled(false);
    m_requests->checkName(TrimLowChars(edtUser->text()), [this](const RegistrationRequests::Answer&
                                                                    answer) {
        if (!answer.ok) {
            setBusy(false);
            setSubmitButtonsEnabled(true);
            return; // logged by the requests; the page stays
        }
        if (answer.text == QLatin1String("true")) {
            setBusy(false);
            setSubmitButtonsEnabled(true);
            refuse({RegistrationChecks::Refusal::NameTaken, RegistrationChecks::Field::UserName});
            return;
        }
        continueAfterNameLookup();
    });
}

void TfrmRegistry::continueAfterNameLookup()
{
    const RegistrationChecks::Verdict verdict = RegistrationChecks::checkAfterNameLookup(form());
    if (!verdict.passed()) {
        setBusy(false);
        setSubmitButtonsEnabled(true);
        refuse(verdict);
        return;
    }
    const RegistrationForm cleaned = RegistrationChecks::cleaned(form());
    writeBack(cleaned);
    // The name the user gave may be taken between the check and this request; only the
    // registration's own answer says whether the account exists now.
    const QString userName = TrimLowChars(cleaned.userName);
    const QString password = TrimLowChars(cleaned.password);
    m_requests->submit(
        cleaned, [this, userName, password](const RegistrationRequests::Answer& answer) {
            setBusy(false);
            setSubmitButtonsEnabled(true);
            if (!answer.ok)
                return; // logged by the requests; the form stays as it is
            finishRegistration(answer.text == QLatin1String("true"), userName, password);
        });
}

void TfrmRegistry::writeBack(const RegistrationForm& cleaned)
{
    edtCompany->setText(cleaned.company);
    edtTrueName->setText(cleaned.contact);
    edtTel->setText(cleaned.telephone);
    edtMoblie->setText(cleaned.mobile);
    edtAddress->setText(cleaned.address);
    // The region names never hold an apostrophe; the lists are only touched if they do.
    if (cleaned.province != chkProv->currentText() || cleaned.city != chkCity->currentText())
        m_regions->select(cleaned.province, cleaned.city);
}

void TfrmRegistry::finishRegistration(bool registered, const QString& userName,
                                      const QString& password)
{
    if (registered) {
        m_login.EDUserName->setText(userName);
        m_login.EDPassword->setText(password);
        MessageBoxes::information(this, MessageBoxes::captionPromptInfo(),
                                  QStringLiteral("注册成功,请登录。"));
    } else {
        qCWarning(lcUi) << "the site refused the registration of" << userName.left(40);
        MessageBoxes::information(this, MessageBoxes::captionPromptInfo(),
                                  QStringLiteral("注册失败,请与当地运营商联系!"));
    }
    if (registered)
        accept();
    else
        reject();
}

void TfrmRegistry::openPage(const QString& address) const
{
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid()) {
        qCWarning(lcUi) << "not a page address:" << address.left(200);
        return;
    }
    if (m_services.openUrl)
        m_services.openUrl(url);
    else
        QDesktopServices::openUrl(url);
}

void TfrmRegistry::lblDisclaimerClick()
{
    openPage(WebRoutes::lawPage());
}

void TfrmRegistry::lblLawClick()
{
    openPage(WebRoutes::protocolPage());
}

void TfrmRegistry::edtUserExit()
{
    checkFieldOnLeave(edtUser);
}

void TfrmRegistry::edtpasswordExit()
{
    checkFieldOnLeave(edtpassword);
}

void TfrmRegistry::checkFieldOnLeave(QLineEdit* field)
{
    if (!RegistrationChecks::refusedOnFieldExit(field->text()))
        return;
    MessageBoxes::warning(this, MessageBoxes::captionPromptInfo(),
                          RegistrationChecks::fieldExitMessage());
    // The focus is still moving on while this runs; it goes back once the move is over. The
    // guard keeps two refused fields from sending the focus back and forth.
    QTimer::singleShot(0, field, [this, field] {
        m_restoringFocus = true;
        field->setFocus(Qt::OtherFocusReason);
        m_restoringFocus = false;
    });
}

bool TfrmRegistry::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !m_restoringFocus && !m_closing &&
        isUserFocusMove(static_cast<QFocusEvent*>(event)->reason())) {
        if (watched == edtUser)
            edtUserExit();
        else if (watched == edtpassword)
            edtpasswordExit();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmRegistry::done(int result)
{
    m_closing = true;
    // Nothing of the password outlives the window.
    edtpassword->clear();
    QDialog::done(result);
    m_login.show();
}
