#include "ui/main/TfrmMRVDetail.h"

TfrmMRVDetail::TfrmMRVDetail(const DetailWindowServices& services, QWidget* parent)
    : DetailWindow(ListingFamily::Land, services, parent)
{
    setObjectName(QStringLiteral("TfrmMRVDetail"));
}
