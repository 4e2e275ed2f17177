#include "client/DetailWindows.h"

#include "ui/main/TfrmAirDetail.h"
#include "ui/main/TfrmMRVDetail.h"
#include "ui/main/TfrmSeadetail.h"
#include "ui/main/TfrmTrianInfoDetail.h"

namespace {

DetailWindow* create(ListingFamily family, const DetailWindowServices& services)
{
    switch (family) {
    case ListingFamily::Land:
        return new TfrmMRVDetail(services);
    case ListingFamily::Air:
        return new TfrmAirDetail(services);
    case ListingFamily::Sea:
        return new TfrmSeadetail(services);
    case ListingFamily::Rail:
        break;
    }
    return new TfrmTrianInfoDetail(services);
}

} // namespace

DetailWindows::DetailWindows(const DetailWindowServices& services) : m_services(services) {}

DetailWindows::~DetailWindows()
{
    for (const QPointer<DetailWindow>& window : m_windows)
        delete window.data();
}

DetailWindow* DetailWindows::window(ListingFamily family) const
{
    return m_windows[static_cast<int>(family)];
}

void DetailWindows::open(const ListingDetailRequest& request, QWidget* centreOn)
{
    QPointer<DetailWindow>& slot = m_windows[static_cast<int>(request.family)];
    const bool created = !slot;
    if (created)
        slot = create(request.family, m_services);
    slot->fill(request);
    if (created && centreOn) {
        slot->adjustSize();
        QRect frame = slot->frameGeometry();
        frame.moveCenter(centreOn->frameGeometry().center());
        slot->move(frame.topLeft());
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
}
