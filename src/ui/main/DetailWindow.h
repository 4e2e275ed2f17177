#pragma once

#include "ui/main/DetailWindowServices.h"
#include "ui/main/ListingDetailRequest.h"

#include <QDialog>

class ContactPaintBox;
class QLabel;
class QPushButton;
class QTextBrowser;

// The frame every detail window shares: the listing's fields in " 信息详情 ", the painted
// contact in " 联系方式 " (" 联系信息 " for land listings), the disclaimer, and the buttons to
// befriend or talk to the poster. The members differ only in their field set.
class DetailWindow : public QDialog
{
    Q_OBJECT
public:
    ListingFamily family() const { return m_family; }
    // Caption, fields, contact, poster and the buttons' enabling from a double-clicked listing.
    void fill(const ListingDetailRequest& request);

    QString contactText() const;
    QString poster() const { return m_poster; }

protected:
    DetailWindow(ListingFamily family, const DetailWindowServices& services, QWidget* parent);
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void btnCloseClick();

    ListingFamily m_family;
    DetailWindowServices m_services;
    QString m_poster;
    QString m_posterAddress;
    QTextBrowser* m_richText = nullptr; // land only
    ContactPaintBox* m_contact = nullptr;
    QPushButton* m_btnFriend = nullptr;
    QPushButton* m_btnChat = nullptr;
    QPushButton* m_btnClose = nullptr;
};
