#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The fixed words of the land publishing windows, in display order and spelling, and the fixed
// choices of the sea window. The airline, route and railway bureau lists are reference data
// (refdata/FixedLists.h).
class PublishWords
{
public:
    // A pop-up word menu: the button that opens it, the menu's objectName and its words; a menu
    // with sub-menus has no words of its own.
    struct Menu
    {
        QString button;
        QString name;
        QStringList words;
        QVector<Menu> subMenus; // objectName empty
    };
    // A word grid shown in the shared panel: its button, panel title, row count and words,
    // placed row by row, five to a row.
    struct Grid
    {
        QString button;
        QString title;
        int rows = 0;
        QStringList words;
    };
    static constexpr int GridColumns = 5;

    // Put between departure and destination, one at random.
    static const QStringList& joiners();

    // Pick-and-publish window.
    static const QStringList& goods();        // lst1
    static const QStringList& goodsUnits();   // cbb1
    static const QStringList& truckLengths(); // lst2
    static const QStringList& truckTypes();   // lst3
    static const QStringList& priceWords();   // lst4
    // The digit pad's keys, four rows of four.
    static const QStringList& digitPadKeys();

    // Word-pad window.
    static const QStringList& wordPad(); // the buttons that append their caption
    static const QVector<Menu>& menus(); // mnuCargo1, mnuCargo3, mnuPrice, mnuWord, mnuUnit
    static const QVector<Grid>& grids(); // 货物2, 车型, 车长, 常用词

    // Sea window.
    static const QStringList& sailingDays();   // edtDuty, "周一" first
    static const QStringList& shipmentKinds(); // cmbDirect, "海运直达" first
};
