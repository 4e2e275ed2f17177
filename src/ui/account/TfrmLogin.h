#pragma once

#include "ui/account/LoginCaption.h"
#include "ui/account/LoginUpdateCheck.h"

#include <QDialog>
#include <functional>
#include <memory>

class LoginBanner;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QUrl;

// The login window: loads the built-in configuration and the settings file when created, starts
// the base-information fetch, runs the update check with both buttons disabled, and closes with
// the OK result once the form holds a user name and a password. It never checks the password;
// the XMPP server does.
class TfrmLogin : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmLogin(QWidget* parent = nullptr);
    ~TfrmLogin() override;

    // The trimmed field texts the session receives after an OK close.
    QString userName() const;
    QString password() const;

    LoginCaption::State captionState() const { return m_captionState; }

    // Shows a new login window modally; true with the trimmed texts when it closed with OK.
    static bool run(QString& userName, QString& password);

    // What "申请帐号" opens; it gets this window, which it may fill and show again.
    using RegistrationHook = std::function<void(TfrmLogin& login)>;
    static void setRegistrationHook(RegistrationHook hook);
    // How the banner opens the home page (the system browser unless replaced).
    using UrlOpener = std::function<void(const QUrl& url)>;
    static void setUrlOpener(UrlOpener opener);

    // Controls, named as the rest of the program refers to them.
    LoginBanner* imgbanner = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* lblAccount = nullptr;
    QLineEdit* EDUserName = nullptr;
    QLabel* lblPsw = nullptr;
    QLineEdit* EDPassword = nullptr;
    QCheckBox* chkRemberPsw = nullptr;
    QPushButton* btnReg = nullptr;
    QPushButton* btnOk = nullptr;

public Q_SLOTS:
    void BTOKClick();
    void btnRegClick();
    void imgbannerClick();
    void chkRemberPswClick();
    void EDUserNameExit();
    void EDPasswordExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void placeControls();
    void runCreationSteps();
    void startBaseInfoFetch();
    void startUpdateCheck();
    void loadSettings();
    void setCaptionState(LoginCaption::State state);
    void setButtonsEnabled(bool enabled);
    void updateCheckEnded();
    void checkFieldOnLeave(QLineEdit* field);

    LoginCaption::State m_captionState = LoginCaption::State::Idle;
    std::unique_ptr<LoginUpdateCheck> m_updateCheck;
    bool m_restoringFocus = false;
};
