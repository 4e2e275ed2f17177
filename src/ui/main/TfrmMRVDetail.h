#pragma once

#include "ui/main/DetailWindow.h"

// The detail window of land cargo and truck listings (also of the search results).
class TfrmMRVDetail : public DetailWindow
{
    Q_OBJECT
public:
    explicit TfrmMRVDetail(const DetailWindowServices& services, QWidget* parent = nullptr);
};
