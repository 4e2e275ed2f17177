#include "ui/main/TfrmAirDetail.h"

TfrmAirDetail::TfrmAirDetail(const DetailWindowServices& services, QWidget* parent)
    : DetailWindow(ListingFamily::Air, services, parent)
{
    setObjectName(QStringLiteral("TfrmAirDetail"));
}
