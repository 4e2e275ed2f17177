#pragma once

#include <QString>

// The count and row rules shared by the listing loaders.
class ListingLoadRules
{
public:
    static constexpr int LandCap = 100;
    static constexpr int SubscriptionCap = 200;
    static constexpr int PriceCap = 100; // air, sea and rail

    // A count answer read as a decimal integer; anything else, or a value of 0 or less, is no
    // listings and gives 0.
    static int parseCount(const QString& answer);

    // Rows to size a grid to and the first row to fill (counted from 0, the header row of the
    // price grids included). Appending continues below the rows the grid has.
    struct Plan
    {
        int rowCount = 0;
        int firstRow = 0;
    };
    static Plan landPlan(int count, int cap, bool append, int currentRows);
    static Plan pricePlan(int count, bool append, int currentRows);

    // The heading and `category` of a land view kind (1..9); unknown kinds give empty texts.
    static QString landHeading(int kind);
    static QString landCategory(int kind);
};
