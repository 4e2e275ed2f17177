#pragma once

#include "ui/main/DetailWindow.h"

// The detail window of rail trains.
class TfrmTrianInfoDetail : public DetailWindow
{
    Q_OBJECT
public:
    explicit TfrmTrianInfoDetail(const DetailWindowServices& services, QWidget* parent = nullptr);
};
