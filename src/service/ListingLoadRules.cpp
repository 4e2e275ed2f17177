#include "service/ListingLoadRules.h"

#include <QtGlobal>

int ListingLoadRules::parseCount(const QString& answer)
{
    bool ok = false;
    const int count = answer.trimmed().toInt(&ok, 10);
    return ok && count > 0 ? count : 0;
}

ListingLoadRules::Plan ListingLoadRules::landPlan(int count, int cap, bool append, int currentRows)
{
    Plan plan;
    if (append) {
        plan.firstRow = currentRows;
        plan.rowCount = count + currentRows;
    } else {
        plan.firstRow = 0;
        plan.rowCount = qMin(count, cap);
    }
    return plan;
}

ListingLoadRules::Plan ListingLoadRules::pricePlan(int count, bool append, int currentRows)
{
    Plan plan;
    const int capped = qMin(count, PriceCap);
    if (append) {
        plan.firstRow = currentRows;
        plan.rowCount = capped + currentRows;
    } else {
        plan.firstRow = 1; // below the header row
        plan.rowCount = capped + 1;
    }
    return plan;
}

QString ListingLoadRules::landHeading(int kind)
{
    switch (kind) {
    case 1:
        return QStringLiteral("[本地信息]");
    case 2:
        return QStringLiteral("[本地货源]");
    case 3:
        return QStringLiteral("[本地车源]");
    case 4:
        return QStringLiteral("[出发信息]");
    case 5:
        return QStringLiteral("[出发货源]");
    case 6:
        return QStringLiteral("[出发车源]");
    case 7:
        return QStringLiteral("[回程信息]");
    case 8:
        return QStringLiteral("[回程货源]");
    case 9:
        return QStringLiteral("[回程车源]");
    default:
        return QString();
    }
}

QString ListingLoadRules::landCategory(int kind)
{
    if (kind < 1 || kind > 9) {
        return QString();
    }
    static const char* const categories[] = {"", "1", "2"};
    return QLatin1String(categories[(kind - 1) % 3]);
}
