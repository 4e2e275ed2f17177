#pragma once

#include <QDialog>

class QLabel;

// The about box: product name and version, the company and its home page.
class TfrmCopyright : public QDialog
{
    Q_OBJECT
public:
    struct Info
    {
        QString appName;
        QString appVersion;
        QString company;
        QString homeUrl;
    };

    explicit TfrmCopyright(const Info& info, QWidget* parent = nullptr);

    // The open about box, cleared when it closes.
    static TfrmCopyright* current();

private:
    QLabel* m_url;
};
