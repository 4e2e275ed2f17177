#pragma once

#include "refdata/FixedNode.h"

#include <QStringList>

// The fixed lists of the navigation trees and publishing windows, in their
// display order and spelling (rows that repeat an airline code stay).
//
// Node kinds, stored under NodeKindRole (TreeNodeRoles.h) by NavTreeFiller:
//   tvAir:      routes 1, booking-enquiry cities 2, airlines 3, airports 4, groups -2
//   TvSea:      ports 1, the booking group 2, booking-enquiry cities 3
//   tvTrain:    stations 1, except "武汉" and "南昌" -1
//   tvBidding:  categories 1..4 (the category number), group -2, services -3
class FixedLists
{
public:
    enum AirKind
    {
        AirRouteKind = 1,
        AirBookingKind = 2,
        AirlineKind = 3,
        AirportKind = 4
    };
    enum SeaKind
    {
        SeaPortKind = 1,
        SeaBookingGroupKind = 2,
        SeaBookingKind = 3
    };
    enum TrainKind
    {
        StationKind = 1,
        OtherStationKind = -1
    };
    enum BiddingKind
    {
        TenderServiceKind = -3
    };
    static constexpr int GroupKind = -2;

    // tvAir
    static const QStringList& airRoutes();        // 11 route nodes, "国内空运" first
    static const QStringList& treeAirlines();     // 113 "code name" nodes
    static const QStringList& airBookingCities(); // 9, "其它" last
    static QString airlineGroupTitle();           // "航空公司"
    static QString airportGroupTitle();           // "国内空港"
    static QString bookingGroupTitle();           // "订舱询价" (tvAir and TvSea)
    // TvSea
    static const QStringList& seaPorts();         // 11 port nodes, "大连港" first
    static const QStringList& seaBookingCities(); // 9, "其它" last
    // tvTrain
    static const QStringList& railStations();      // 18 nodes, "哈尔滨" first
    static const QStringList& otherRailStations(); // "武汉", "南昌" (kind -1)
    // tvBidding
    static const QStringList& tenderCategories(); // 4; kind = position + 1
    static QString tenderServiceGroupTitle();     // "招标服务"
    static const QStringList& tenderServices();   // "招标恰谈", "咨询服务"

    // Publishing windows
    static const QStringList& airlineChoices();  // 114 entries of the air window's airline box
    static const QStringList& airRouteChoices(); // 11 entries of `cmbLine`, "日本" first
    static const QStringList& railwayBureaus();  // 18 railway bureaus, "哈尔滨" first

    // Whole trees with kinds, ready for NavTreeFiller. The "国内空港" group of
    // airTree() is empty: the main window fills it at creation from airportNodes().
    static QVector<FixedNode> airTree();
    static QVector<FixedNode> seaTree();
    static QVector<FixedNode> trainTree();
    static QVector<FixedNode> biddingTree();
    // One node per airport of the airport table, in table order: kind 4, value = code.
    static QVector<FixedNode> airportNodes();
};
