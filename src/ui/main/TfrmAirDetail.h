#pragma once

#include "ui/main/DetailWindow.h"

// The detail window of air cargo prices.
class TfrmAirDetail : public DetailWindow
{
    Q_OBJECT
public:
    explicit TfrmAirDetail(const DetailWindowServices& services, QWidget* parent = nullptr);
};
