#include "ui/publish/PublishWindow.h"

#include "app/SessionState.h"
#include "im/IMClient.h"
#include "publish/PublishAccount.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/Theme.h"
#include "ui/publish/ContactGroup.h"
#include "ui/publish/PublishNotice.h"

#include <QComboBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

PublishWindow::PublishWindow(const PublishWindowServices& services,
                             const QString& secondTelephoneName, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services)
{
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Theme::colour());
    setPalette(palette);
    setAutoFillBackground(true);
    m_contacts = new ContactGroup(secondTelephoneName, this);
    m_notice = new PublishNotice(m_services.openUrl, this);
}

bool PublishWindow::connected() const
{
    return m_services.client && m_services.client->connected();
}

void PublishWindow::fillContacts(bool fromProfile)
{
    m_contacts->setCaptions(fromProfile ? ContactLine::fromProfile(session().profile)
                                        : ContactLine::Boxes{});
}

void PublishWindow::refuse(const PublishRefusal& refusal)
{
    MessageBoxes::warning(this, refusal.caption, refusal.text);
}

void PublishWindow::reportSent(bool sent)
{
    if (sent) {
        MessageBoxes::information(this, MessageBoxes::captionInfo(),
                                  QStringLiteral("您的信息已经发布成功! "));
    }
}

void PublishWindow::publishLand(LandPublication::Form form, const QString& text,
                                const LandPlaces& places, int category,
                                const LandListingComposer& composer, bool closeAfter)
{
    if (!connected())
        return;
    LandPublication::Fields fields;
    fields.text = text;
    fields.province = places.province->currentText();
    fields.city = places.city->currentText();
    fields.county = places.county->currentText();
    fields.toProvince = places.toProvince->currentText();
    fields.toCity = places.toCity->currentText();
    fields.toCounty = places.toCounty->currentText();
    fields.category = category;
    fields.contacts = m_contacts->boxes();
    LandPublication::Request request;
    if (const auto refusal = LandPublication::prepare(form, fields, composer, request)) {
        refuse(*refusal);
        return;
    }
    const bool sent =
        LandPublication::send(*m_services.client, PublishAccount::fromSession(session()), request);
    reportSent(sent);
    if (sent && closeAfter)
        close();
}

QPushButton* PublishWindow::makeButton(const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel* PublishWindow::makeLabel(const QString& text, const QString& name)
{
    auto* label = new QLabel(text, this);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}
