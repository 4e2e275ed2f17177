#include "ui/main/GridRowBuilder.h"

ListingGridRow GridRowBuilder::fromLand(const LandRow& row)
{
    ListingGridRow grid;
    grid.fields = {QString(), row.title,    row.id,      row.contact,
                   QString(), row.senderId, row.position};
    grid.typeImage = row.typeIcon;
    grid.senderImage = row.senderIcon;
    grid.shortTime = row.shortTime;
    grid.issuedAt = row.issuedAt;
    return grid;
}

ListingGridRow GridRowBuilder::fromAir(const AirRow& row)
{
    ListingGridRow grid;
    grid.fields = {row.departure, row.destination, row.info,   QString(), row.airline,
                   row.route,     row.cycle,       row.direct, row.days,  row.price,
                   row.sender,    row.contact,     row.remark};
    grid.senderImage = row.senderIcon;
    return grid;
}

ListingGridRow GridRowBuilder::fromSea(const SeaRow& row)
{
    ListingGridRow grid;
    grid.fields = {
        row.carrier,           row.departurePort, row.destinationPort, row.transshipmentOption,
        row.transshipmentPort, row.schedule,      row.voyageDays,      row.portSequence,
        row.routeName,         QString(),         row.sender,          row.contact};
    grid.senderImage = row.senderIcon;
    return grid;
}

ListingGridRow GridRowBuilder::fromRail(const RailRow& row)
{
    ListingGridRow grid;
    grid.fields = {row.trainNumber,   row.loadingStation, row.departureStation, row.arrivalStation2,
                   row.cycle,         row.departureTime,  row.arrivalTime,      QString(),
                   row.departureCity, row.arrivalCity,    row.arrivalStation,   row.hours,
                   row.sender,        row.contact};
    grid.senderImage = row.senderIcon;
    return grid;
}
