#pragma once

#include "app/RegistrationChecks.h"
#include "app/RegistrationForm.h"
#include "ui/account/RegistryWindowServices.h"

#include <QDialog>

class LinkLabel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class RegionRegistrationCascade;
class RegistrationRequests;
class TfrmLogin;

// The registration window ("用户注册"): a wizard from the membership terms through the
// verification of a mobile number by SMS code (when the configuration asks for it) to the
// registration form. A successful registration fills the login window's user name and
// password; closing the window in any way shows the login window again. The password lives
// only in its field and in the request that carries it, and the field is emptied on closing.
class TfrmRegistry : public QDialog
{
    Q_OBJECT
public:
    TfrmRegistry(TfrmLogin& login, const RegistryWindowServices& services,
                 QWidget* parent = nullptr);
    ~TfrmRegistry() override;

    // Hides the login window, shows a new registration window modally and returns its result;
    // the login window is on screen again afterwards.
    static int run(TfrmLogin& login, const RegistryWindowServices& services);

    // The user type the radio buttons chose (1, 3, 2, 4 for RadioButton1 to RadioButton4).
    int userType() const { return m_userType; }
    // The form as its fields hold it now.
    RegistrationForm form() const;
    // Whether a request to the site is running.
    bool busy() const { return m_busy; }

    // Controls, named as the rest of the program refers to them.
    QStackedWidget* nbMain = nullptr;
    QWidget* index = nullptr;
    QWidget* auth = nullptr;
    QWidget* reginfo = nullptr;
    QStackedWidget* nbVerify = nullptr;
    QWidget* pgMobile = nullptr;
    QWidget* pgVerify = nullptr;

    // "index"
    QPlainTextEdit* memTerms = nullptr;
    LinkLabel* lblDisclaimer = nullptr;
    QPushButton* btnAccept = nullptr;
    QPushButton* btnDeny = nullptr;
    // "pgMobile"
    QLineEdit* edtMobile = nullptr;
    QPushButton* btnCommit = nullptr;
    QPushButton* btnCancle = nullptr;
    QPushButton* btnCSR = nullptr;
    // "pgVerify"
    QLabel* lblMobile = nullptr;
    QLabel* lblSender = nullptr;
    QLineEdit* edtVerify = nullptr;
    QPushButton* btnAuth = nullptr;
    QPushButton* btnPre = nullptr;
    QPushButton* btnClos = nullptr;
    QPushButton* btnCsr2 = nullptr;
    // "reginfo"
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QLineEdit* edtUser = nullptr;
    LinkLabel* lblCheck = nullptr;
    QLineEdit* edtpassword = nullptr;
    QLineEdit* edtTrueName = nullptr;
    QComboBox* cmbSex = nullptr;
    QLineEdit* edtTel = nullptr;
    QLineEdit* edtMoblie = nullptr;
    QLineEdit* edtMail = nullptr;
    QLineEdit* edtQQ = nullptr;
    QLineEdit* edtCompany = nullptr;
    QComboBox* chkProv = nullptr;
    QComboBox* chkCity = nullptr;
    QLineEdit* edtAddress = nullptr;
    QCheckBox* cmbProtocol = nullptr;
    LinkLabel* lblLaw = nullptr;
    QPushButton* btnReg = nullptr;
    QPushButton* btnClose = nullptr;

public Q_SLOTS:
    void btnAcceptClick();
    void btnDenyClick();
    void btnCommitClick();
    void btnAuthClick();
    void btnPreClick();
    void btnCSRClick();
    void RadioButtonClick(int userType);
    void lblCheckClick();
    void btnRegClick();
    void lblDisclaimerClick();
    void lblLawClick();
    void edtUserExit();
    void edtpasswordExit();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildIndexPage();
    QWidget* buildMobilePage();
    QWidget* buildVerifyPage();
    QWidget* buildInfoPage();
    QPushButton* makeButton(const QString& name, const QString& text);

    void setBusy(bool busy);
    void setMobileButtonsEnabled(bool enabled);
    void setVerifyButtonsEnabled(bool enabled);
    void setSubmitButtonsEnabled(bool enabled);
    void refuse(const RegistrationChecks::Verdict& verdict);
    void continueAfterNameLookup();
    void writeBack(const RegistrationForm& cleaned);
    void finishRegistration(bool registered, const QString& userName, const QString& password);
    void checkFieldOnLeave(QLineEdit* field);
    QLineEdit* fieldOf(RegistrationChecks::Field field) const;
    void openPage(const QString& address) const;

    TfrmLogin& m_login;
    RegistryWindowServices m_services;
    RegistrationRequests* m_requests;
    RegionRegistrationCascade* m_regions = nullptr;
    int m_userType = 1;
    bool m_busy = false;
    bool m_restoringFocus = false;
    bool m_closing = false;
};
