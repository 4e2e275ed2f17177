#pragma once

#include "ui/account/LoginCaption.h"
#include "ui/account/LoginUpdateCheck.h"
#include "ui/account/LoginWindowServices.h"

#include <QDialog>
#include <memory>

class LoginBanner;
class QCheckBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The login window: loads the built-in configuration and the settings file when created, starts
// the base-information fetch, runs the update check with both buttons disabled, and closes with
// the OK result once the form holds a user name and a password. It never checks the password;
// the XMPP server does.
class TfrmLogin : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmLogin(const LoginWindowServices& services, QWidget* parent = nullptr);
    ~TfrmLogin() override;

    // The trimmed field texts the session receives after an OK close.
    QString userName() const;
    QString password() const;

    LoginCaption::State captionState() const { return m_captionState; }

    // Shows a new login window modally; true with the trimmed texts when it closed with OK.
    static bool run(const LoginWindowServices& services, QString& userName, QString& password);

    // A modal run lasts until the window closes, even while the registration window stands in
    // for it.
    int exec() override;
    // Steps aside for the registration window, which shows this window again when it closes.
    void hideForRegistration();

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
    void keyPressEvent(QKeyEvent* event) override;

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
    void reportCreationError(const QString& cause);
    void refuseRememberingWhatCannotBeStored();
    void openUrl(const QString& address) const;

    LoginWindowServices m_services;
    LoginCaption::State m_captionState = LoginCaption::State::Idle;
    std::unique_ptr<LoginUpdateCheck> m_updateCheck;
    bool m_restoringFocus = false;
    bool m_inModalRun = false;
    bool m_hiddenForRegistration = false;
};
