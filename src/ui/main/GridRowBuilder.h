#pragma once

#include "service/ListingRows.h"
#include "ui/main/ListingGridRow.h"

// Turns the service's row records into grid rows, field by field in grid order.
class GridRowBuilder
{
public:
    static ListingGridRow fromLand(const LandRow& row);
    static ListingGridRow fromAir(const AirRow& row);
    static ListingGridRow fromSea(const SeaRow& row);
    static ListingGridRow fromRail(const RailRow& row);
};
