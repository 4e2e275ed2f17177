#include "ui/main/ListingLayout.h"

#include "service/ListingRows.h"

namespace {

const QString kDetailHint = QStringLiteral("双击查看详情");

ListingLayout landLayout()
{
    ListingLayout l;
    l.family = ListingFamily::Land;
    l.fieldCount = 7;
    l.typeIconField = 0;
    l.titleField = 1;
    l.contactField = 3;
    l.senderIconField = 4;
    l.senderField = 5;
    l.stretchField = 1;
    l.widths = {{0, 30}, {4, 30}};
    l.hiddenFields = {2, 3, 5, 6};
    l.defaultRowHeight = 40;
    return l;
}

ListingLayout airLayout()
{
    ListingLayout l;
    l.family = ListingFamily::Air;
    l.fieldCount = 13;
    l.senderIconField = 3;
    l.senderField = 10;
    l.contactField = 11;
    l.stretchField = 2;
    l.headers = AirRow::headers();
    l.widths = {{0, 80}, {1, 80}, {3, 30}};
    l.hiddenFields = {4, 5, 6, 7, 8, 9, 10, 11, 12};
    return l;
}

ListingLayout seaLayout()
{
    ListingLayout l;
    l.family = ListingFamily::Sea;
    l.fieldCount = 12;
    l.senderIconField = 9;
    l.senderField = 10;
    l.contactField = 11;
    l.stretchField = 7;
    l.headers = SeaRow::headers();
    l.widths = {{0, 100}, {1, 80}, {2, 80}, {3, 80}, {4, 80}, {5, 80}, {6, 80}, {8, 80}, {9, 30}};
    l.hiddenFields = {10, 11};
    return l;
}

ListingLayout railLayout()
{
    ListingLayout l;
    l.family = ListingFamily::Rail;
    l.fieldCount = 14;
    l.senderIconField = 7;
    l.senderField = 12;
    l.contactField = 13;
    l.stretchField = 1;
    l.headers = RailRow::headers();
    for (int field = 0; field <= 6; ++field)
        l.widths.insert(field, 100);
    l.widths.insert(7, 30);
    l.hiddenFields = {8, 9, 10, 11, 12, 13};
    return l;
}

} // namespace

const ListingLayout& ListingLayout::of(ListingFamily family)
{
    static const ListingLayout land = landLayout();
    static const ListingLayout air = airLayout();
    static const ListingLayout sea = seaLayout();
    static const ListingLayout rail = railLayout();
    switch (family) {
    case ListingFamily::Air:
        return air;
    case ListingFamily::Sea:
        return sea;
    case ListingFamily::Rail:
        return rail;
    case ListingFamily::Land:
        break;
    }
    return land;
}

QString ListingLayout::hint(int field, const QString& senderId) const
{
    switch (family) {
    case ListingFamily::Land:
        if (field == titleField)
            return kDetailHint;
        if (field == senderIconField)
            return senderId == QLatin1String("-1") ? QStringLiteral("座席发布")
                                                   : QStringLiteral("双击对话");
        return QString();
    case ListingFamily::Air:
        return field == senderIconField ? QStringLiteral("双击询价") : kDetailHint;
    case ListingFamily::Sea:
        return field == senderIconField ? QStringLiteral("双击询价") : QString();
    case ListingFamily::Rail:
        if (field == senderIconField)
            return QStringLiteral("双击咨询");
        return field < senderIconField ? kDetailHint : QString();
    }
    return QString();
}
