#include "ui/account/TfrmLogin.h"

#include "ui/common/Theme.h"

#include "app/BuiltinConfig.h"
#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "core/CoreError.h"
#include "core/TextTrim.h"
#include "service/TGetBaseInfoThd.h"
#include "ui/account/LoginBanner.h"
#include "ui/account/LoginValidator.h"
#include "ui/account/NoUpdateCheck.h"
#include "ui/account/TfrmRegistry.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/UiLog.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace {
const QSize kClientSize(346, 233);

// 宋体 9 pt where it exists, else the CJK faces a Linux desktop has.
QFont loginFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"),
                      QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSize(9);
    return font;
}

bool isUserFocusMove(Qt::FocusReason reason)
{
    // A message box or another window taking the focus is not the user leaving the field.
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}
} // namespace

TfrmLogin::TfrmLogin(const LoginWindowServices& services, QWidget* parent)
    : QDialog(parent), m_services(services)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientSize);
    setFont(loginFont());
    QPalette background = palette();
    background.setColor(QPalette::Window, Theme::colour());
    setPalette(background);
    setAutoFillBackground(true);

    buildControls();
    placeControls();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    runCreationSteps();
}

TfrmLogin::~TfrmLogin() = default;

void TfrmLogin::buildControls()
{
    imgbanner = new LoginBanner(this);
    imgbanner->setObjectName(QStringLiteral("imgbanner"));
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setStyleSheet(QStringLiteral("#Shape1 { border: 1px solid #a8bcd8; }"));
    lblAccount = new QLabel(QStringLiteral("帐号："), this);
    lblAccount->setObjectName(QStringLiteral("lblAccount"));
    EDUserName = new QLineEdit(this);
    EDUserName->setObjectName(QStringLiteral("EDUserName"));
    lblPsw = new QLabel(QStringLiteral("密码："), this);
    lblPsw->setObjectName(QStringLiteral("lblPsw"));
    EDPassword = new QLineEdit(this);
    EDPassword->setObjectName(QStringLiteral("EDPassword"));
    EDPassword->setEchoMode(QLineEdit::Password);
    chkRemberPsw = new QCheckBox(QStringLiteral("记住密码"), this);
    chkRemberPsw->setObjectName(QStringLiteral("chkRemberPsw"));
    btnReg = new QPushButton(QStringLiteral("申请帐号"), this);
    btnReg->setObjectName(QStringLiteral("btnReg"));
    btnOk = new QPushButton(QStringLiteral("登录"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    // Only Enter in the password field logs in; the dialog's own default button would make
    // Enter in the user-name field log in as well.
    btnReg->setAutoDefault(false);
    btnOk->setAutoDefault(false);

    EDUserName->installEventFilter(this);
    EDPassword->installEventFilter(this);
    connect(imgbanner, &LoginBanner::clicked, this, &TfrmLogin::imgbannerClick);
    connect(EDPassword, &QLineEdit::returnPressed, this, &TfrmLogin::BTOKClick);
    connect(chkRemberPsw, &QCheckBox::clicked, this, &TfrmLogin::chkRemberPswClick);
    connect(btnReg, &QPushButton::clicked, this, &TfrmLogin::btnRegClick);
    connect(btnOk, &QPushButton::clicked, this, &TfrmLogin::BTOKClick);
}

void TfrmLogin::placeControls()
{
    imgbanner->setGeometry(0, 0, kClientSize.width(), 85);
    Shape1->setGeometry(8, 93, 330, 98);
    lblAccount->setGeometry(52, 106, 40, 21);
    EDUserName->setGeometry(94, 106, 170, 21);
    lblPsw->setGeometry(52, 136, 40, 21);
    EDPassword->setGeometry(94, 136, 170, 21);
    chkRemberPsw->setGeometry(94, 164, 120, 20);
    btnReg->setGeometry(172, 200, 78, 25);
    btnOk->setGeometry(258, 200, 78, 25);
    setTabOrder(EDUserName, EDPassword);
    setTabOrder(EDPassword, chkRemberPsw);
    setTabOrder(chkRemberPsw, btnOk);
    setTabOrder(btnOk, btnReg);
}

void TfrmLogin::runCreationSteps()
{
    SessionState& state = session();
    try {
        if (m_services.loadConfiguration)
            m_services.loadConfiguration(state);
        else
            BuiltinConfig::load(state);
        startBaseInfoFetch();
        setCaptionState(LoginCaption::State::Idle);
        startUpdateCheck();
        loadSettings();
    } catch (const CoreError& error) {
        reportCreationError(error.message());
    } catch (const std::exception& error) {
        reportCreationError(QString::fromLocal8Bit(error.what()));
    }
    imgbanner->setPixmap(LoginBanner::paint(imgbanner->size(), state.AppName));
}

// A creation step failed: the user sees the cause, the steps after it are skipped and the
// window still opens.
void TfrmLogin::reportCreationError(const QString& cause)
{
    qCWarning(lcUi) << "login window setup failed:" << cause;
    MessageBoxes::applicationError(this, cause);
}

void TfrmLogin::startBaseInfoFetch()
{
    // Not waited for: the job stores what it gets and deletes itself.
    auto* fetch = new TGetBaseInfoThd;
    fetch->start();
}

void TfrmLogin::startUpdateCheck()
{
    setButtonsEnabled(false);
    setCaptionState(LoginCaption::State::Checking);

    const SessionState& state = session();
    m_updateCheck = m_services.makeUpdateCheck ? m_services.makeUpdateCheck()
                                               : std::make_unique<NoUpdateCheck>();
    m_updateCheck->setObjectName(QStringLiteral("AutoUpgrader"));
    connect(m_updateCheck.get(), &LoginUpdateCheck::upgradeBegun, this,
            [this] { setCaptionState(LoginCaption::State::UpdateStarting); });
    connect(m_updateCheck.get(), &LoginUpdateCheck::fileStarted, this,
            [this] { setCaptionState(LoginCaption::State::Downloading); });
    connect(m_updateCheck.get(), &LoginUpdateCheck::ended, this, &TfrmLogin::updateCheckEnded);
    // A check that could not start never reports an end event, and the window would keep its
    // buttons disabled for good; like an unreachable update server, it only returns the window
    // to idle.
    try {
        m_updateCheck->start({state.infourl, state.AppVersion, state.upgradfiles});
    } catch (const std::exception& error) {
        qCWarning(lcUi) << "update check did not start:" << error.what();
        updateCheckEnded();
    } catch (...) {
        qCWarning(lcUi) << "update check did not start: unknown error";
        updateCheckEnded();
    }
}

void TfrmLogin::loadSettings()
{
    SettingsFile::LoginFields fields;
    // What the load filled before an error still reaches the form.
    const auto fillForm = qScopeGuard([this, &fields] {
        EDUserName->setText(fields.userName);
        EDPassword->setText(fields.password);
        chkRemberPsw->setChecked(fields.rememberChecked);
    });
    SettingsFile::load(fields, session(), SettingsFile::defaultPath());
}

void TfrmLogin::setCaptionState(LoginCaption::State state)
{
    m_captionState = state;
    setWindowTitle(LoginCaption::text(state, session().AppName, session().AppVersion));
}

void TfrmLogin::setButtonsEnabled(bool enabled)
{
    btnOk->setEnabled(enabled);
    btnReg->setEnabled(enabled);
}

void TfrmLogin::updateCheckEnded()
{
    setCaptionState(LoginCaption::State::Idle);
    setButtonsEnabled(true);
}

QString TfrmLogin::userName() const
{
    return TrimLowChars(EDUserName->text());
}

QString TfrmLogin::password() const
{
    return TrimLowChars(EDPassword->text());
}

void TfrmLogin::BTOKClick()
{
    // Enter in the password field must not get round the update check either.
    if (!btnOk->isEnabled())
        return;
    switch (LoginValidator::check(EDUserName->text(), EDPassword->text())) {
    case LoginValidator::Verdict::MissingUserName:
        MessageBoxes::information(this, MessageBoxes::captionPrompt(),
                                  QStringLiteral("请输入用户名！"));
        return;
    case LoginValidator::Verdict::IllegalCharacters:
        MessageBoxes::warning(this, MessageBoxes::captionPromptInfo(),
                              QStringLiteral("输入了非法字符,请检查  "));
        return;
    case LoginValidator::Verdict::BlankPassword:
        return;
    case LoginValidator::Verdict::Accept:
        refuseRememberingWhatCannotBeStored();
        accept();
        return;
    }
}

// The settings file is GBK; a name or password with other characters would come back
// corrupted, so the user is told and this login is not remembered.
void TfrmLogin::refuseRememberingWhatCannotBeStored()
{
    if (!chkRemberPsw->isChecked() || SettingsFile::canRemember(userName(), password()))
        return;
    MessageBoxes::information(
        this, MessageBoxes::captionPrompt(),
        QStringLiteral("用户名或密码含有无法保存的字符，本次登录将不被记住。"));
    chkRemberPsw->setChecked(false);
    session().rememberPassword = false;
}

void TfrmLogin::btnRegClick()
{
    if (m_services.openRegistration) {
        m_services.openRegistration(*this);
        return;
    }
    RegistryWindowServices registration;
    registration.openUrl = m_services.openUrl;
    TfrmRegistry::run(*this, registration);
}

void TfrmLogin::hideForRegistration()
{
    // Hiding a dialog ends its modal loop; exec() enters it again once the registration window
    // has closed and shown this window again.
    if (m_inModalRun)
        m_hiddenForRegistration = true;
    hide();
}

int TfrmLogin::exec()
{
    const bool outerRun = m_inModalRun;
    m_inModalRun = true;
    const auto restore = qScopeGuard([this, outerRun] { m_inModalRun = outerRun; });
    for (;;) {
        const int result = QDialog::exec();
        if (!m_hiddenForRegistration)
            return result;
        m_hiddenForRegistration = false;
    }
}

void TfrmLogin::openUrl(const QString& address) const
{
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid())
        return;
    if (m_services.openUrl)
        m_services.openUrl(url);
    else
        QDesktopServices::openUrl(url);
}

void TfrmLogin::imgbannerClick()
{
    openUrl(session().homeURL);
}

void TfrmLogin::chkRemberPswClick()
{
    session().rememberPassword = chkRemberPsw->isChecked();
}

void TfrmLogin::EDUserNameExit()
{
    checkFieldOnLeave(EDUserName);
}

void TfrmLogin::EDPasswordExit()
{
    checkFieldOnLeave(EDPassword);
}

void TfrmLogin::checkFieldOnLeave(QLineEdit* field)
{
    if (!LoginValidator::refusedOnLeave(field->text()))
        return;
    MessageBoxes::warning(this, MessageBoxes::captionPromptInfo(),
                          QStringLiteral("输入了非法字符  "));
    // The focus is still moving to the next control while this runs, so it is put back once
    // that move has finished. Putting it back makes the other field lose it; without the guard
    // two refused fields would send the focus, and the warnings, back and forth for ever.
    QTimer::singleShot(0, field, [this, field] {
        m_restoringFocus = true;
        field->setFocus(Qt::OtherFocusReason);
        m_restoringFocus = false;
    });
}

// A dialog closes as rejected on Escape, which would end the program at start; only the close
// box and the window's own buttons close this one.
void TfrmLogin::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfrmLogin::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !m_restoringFocus &&
        isUserFocusMove(static_cast<QFocusEvent*>(event)->reason())) {
        if (watched == EDUserName)
            EDUserNameExit();
        else if (watched == EDPassword)
            EDPasswordExit();
    }
    return QDialog::eventFilter(watched, event);
}

bool TfrmLogin::run(const LoginWindowServices& services, QString& userName, QString& password)
{
    TfrmLogin window(services);
    if (window.exec() != QDialog::Accepted)
        return false;
    userName = window.userName();
    password = window.password();
    return true;
}
