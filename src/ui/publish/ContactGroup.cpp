#include "ui/publish/ContactGroup.h"

#include <QCheckBox>
#include <QGridLayout>

namespace {

QCheckBox* makeBox(QWidget* parent, const QString& name)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    box->setChecked(true);
    return box;
}

QString shown(const QString& caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

ContactGroup::ContactGroup(const QString& secondTelephoneName, QWidget* parent)
    : QGroupBox(QStringLiteral(" 联系方式 "), parent)
{
    setObjectName(QStringLiteral("grpContact"));
    chkMobile = makeBox(this, QStringLiteral("chkMobile"));
    chkTel1 = makeBox(this, QStringLiteral("chkTel1"));
    chkTel2 = makeBox(this, secondTelephoneName);
    chkCorp = makeBox(this, QStringLiteral("chkCorp"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(chkMobile, 0, 0);
    grid->addWidget(chkTel1, 0, 1);
    grid->addWidget(chkTel2, 1, 0);
    grid->addWidget(chkCorp, 1, 1);
}

void ContactGroup::setCaptions(const ContactLine::Boxes& captions)
{
    m_captions = captions;
    chkMobile->setText(shown(captions.mobile.caption));
    chkTel1->setText(shown(captions.telephone1.caption));
    chkTel2->setText(shown(captions.telephone2.caption));
    chkCorp->setText(shown(captions.company.caption));
}

ContactLine::Boxes ContactGroup::boxes() const
{
    ContactLine::Boxes result = m_captions;
    result.mobile.checked = chkMobile->isChecked();
    result.telephone1.checked = chkTel1->isChecked();
    result.telephone2.checked = chkTel2->isChecked();
    result.company.checked = chkCorp->isChecked();
    return result;
}
