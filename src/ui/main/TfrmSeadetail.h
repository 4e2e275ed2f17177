#pragma once

#include "ui/main/DetailWindow.h"

// The detail window of sea shipping lines.
class TfrmSeadetail : public DetailWindow
{
    Q_OBJECT
public:
    explicit TfrmSeadetail(const DetailWindowServices& services, QWidget* parent = nullptr);
};
