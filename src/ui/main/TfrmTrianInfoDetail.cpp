#include "ui/main/TfrmTrianInfoDetail.h"

TfrmTrianInfoDetail::TfrmTrianInfoDetail(const DetailWindowServices& services, QWidget* parent)
    : DetailWindow(ListingFamily::Rail, services, parent)
{
    setObjectName(QStringLiteral("TfrmTrianInfoDetail"));
}
