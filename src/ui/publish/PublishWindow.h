#pragma once

#include "publish/LandPublication.h"
#include "publish/PublishRefusal.h"
#include "ui/publish/PublishWindowServices.h"

#include <QWidget>

class ContactGroup;
class PublishNotice;
class LandListingComposer;
class QComboBox;
class QLabel;
class QPushButton;

// What every publishing window shares: a window of its own on the task bar, freed when closed,
// in the theme colour; the contact group, the notice with its link, and the refusal and
// success messages. Success is reported only for a request handed to the connected client.
class PublishWindow : public QWidget
{
    Q_OBJECT
public:
    PublishWindow(const PublishWindowServices& services, const QString& secondTelephoneName,
                  QWidget* parent = nullptr);

    ContactGroup* contacts() const { return m_contacts; }
    PublishNotice* notice() const { return m_notice; }

protected:
    bool connected() const;
    IMClient* client() const { return m_services.client; }
    // The captions from the signed-in user's profile, or all empty.
    void fillContacts(bool fromProfile);
    // Warning box with the refusal's caption and text.
    void refuse(const PublishRefusal& refusal);
    // "您的信息已经发布成功! " when `sent`; nothing otherwise.
    void reportSent(bool sent);

    // The province, city and county lists of a land window's departure and destination.
    struct LandPlaces
    {
        QComboBox* province;
        QComboBox* city;
        QComboBox* county;
        QComboBox* toProvince;
        QComboBox* toCity;
        QComboBox* toCounty;
    };
    // "发布(&I)" of the land windows: nothing while disconnected, else the form's checks, the
    // cargo request, the success box and, when asked, closing after a listing that went.
    void publishLand(LandPublication::Form form, const QString& text, const LandPlaces& places,
                     int category, const LandListingComposer& composer, bool closeAfter);

    QPushButton* makeButton(const QString& name, const QString& text);
    QLabel* makeLabel(const QString& text, const QString& name = QString());

private:
    PublishWindowServices m_services;
    ContactGroup* m_contacts = nullptr;
    PublishNotice* m_notice = nullptr;
};
