#pragma once

#include "ui/main/DetailWindowServices.h"
#include "ui/main/ListingDetailRequest.h"

#include <QPointer>

class DetailWindow;
class QWidget;

// The four detail windows: at most one of each, created on first use, then reused and
// refilled; freed when closed.
class DetailWindows
{
public:
    explicit DetailWindows(const DetailWindowServices& services);
    ~DetailWindows();
    DetailWindows(const DetailWindows&) = delete;
    DetailWindows& operator=(const DetailWindows&) = delete;

    // Fills the family's window from the listing and shows it, centred on `centreOn` when new.
    void open(const ListingDetailRequest& request, QWidget* centreOn);
    // The open window of the family; null when closed.
    DetailWindow* window(ListingFamily family) const;

private:
    DetailWindowServices m_services;
    QPointer<DetailWindow> m_windows[4];
};
