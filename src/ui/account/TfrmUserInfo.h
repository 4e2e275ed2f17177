#pragma once

#include "app/ProfileForm.h"
#include "ui/account/UserInfoWindowServices.h"

#include <QWidget>

class LinkLabel;
class ProfileUpdateRequest;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The profile window ("我的资料"): the signed-in user's account data from the session's
// profile. A change goes to the site in one post; an accepted one is copied into the profile
// (contact, sex and QQ excepted, which the next profile fetch brings). The mobile number and
// the end date are shown only. A window of its own on the task bar, freed when closed.
class TfrmUserInfo : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmUserInfo(const UserInfoWindowServices& services, QWidget* parent = nullptr);

    // The fields from the session's profile as it is now.
    void refill();
    // The editable fields as typed.
    ProfileForm form() const;
    // Whether the post is running.
    bool busy() const { return m_busy; }

    QGroupBox* grpInfo = nullptr;
    QLineEdit* edtContact = nullptr;
    QComboBox* cmbSex = nullptr;
    QLineEdit* edtTel1 = nullptr;
    QLineEdit* edtMobile = nullptr;
    QLineEdit* edtTel2 = nullptr;
    QLineEdit* edtQQ = nullptr;
    QLineEdit* edtEMail = nullptr;
    QLabel* lblEndDate = nullptr;
    QLineEdit* edtCompany = nullptr;
    QLineEdit* edtAddress = nullptr;
    QPushButton* btnSubmit = nullptr;
    QPushButton* btnClose = nullptr;
    LinkLabel* lblLaw = nullptr;

public Q_SLOTS:
    void btnSubmitClick();
    void btnCloseClick();
    void lblLawClick();

private:
    void buildLayout();
    QLineEdit* makeEdit(const QString& name, const QString& profileKey);
    void setFieldsEnabled(bool enabled);

    UserInfoWindowServices m_services;
    ProfileUpdateRequest* m_request;
    bool m_busy = false;
};
