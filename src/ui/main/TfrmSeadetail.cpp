#include "ui/main/TfrmSeadetail.h"

TfrmSeadetail::TfrmSeadetail(const DetailWindowServices& services, QWidget* parent)
    : DetailWindow(ListingFamily::Sea, services, parent)
{
    setObjectName(QStringLiteral("TfrmSeadetail"));
}
