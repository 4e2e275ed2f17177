#pragma once

#include "publish/ContactLine.h"

#include <QGroupBox>

class QCheckBox;

// The group " 联系方式 " of every publishing window: chkMobile, chkTel1, the second telephone
// box (named by the window) and chkCorp, all checked at start.
class ContactGroup : public QGroupBox
{
    Q_OBJECT
public:
    ContactGroup(const QString& secondTelephoneName, QWidget* parent = nullptr);

    // The captions as shown; a "&" in a profile text is shown, not taken as a shortcut.
    void setCaptions(const ContactLine::Boxes& captions);
    ContactLine::Boxes boxes() const;

    QCheckBox* chkMobile = nullptr;
    QCheckBox* chkTel1 = nullptr;
    QCheckBox* chkTel2 = nullptr;
    QCheckBox* chkCorp = nullptr;

private:
    ContactLine::Boxes m_captions;
};
