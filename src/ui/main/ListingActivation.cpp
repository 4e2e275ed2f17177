#include "ui/main/ListingActivation.h"

#include "core/DesCipher.h"
#include "core/FieldScrambler.h"
#include "core/Keys.h"
#include "ui/common/UiLog.h"
#include "ui/main/ListingTableModel.h"

namespace {

QString addressOf(const QString& sender, const QString& host)
{
    return sender + QLatin1Char('@') + host;
}

// Fields a click opens the detail window from; the icon column opens a conversation.
bool isDetailField(ListingFamily family, int field)
{
    switch (family) {
    case ListingFamily::Land:
        return field == 0 || field == 1;
    case ListingFamily::Air:
        return field >= 0 && field <= 2;
    case ListingFamily::Sea:
        return field >= 0 && field <= 8;
    case ListingFamily::Rail:
        return field >= 0 && field <= 6;
    }
    return false;
}

} // namespace

bool ListingActivation::canBefriend(const QString& senderAddress, const QString& host,
                                    const QString& loginIdentity)
{
    // User names compare without letter case, as the server compares them.
    return senderAddress.compare(loginIdentity, Qt::CaseInsensitive) != 0 &&
           senderAddress != addressOf(QStringLiteral("-1"), host);
}

ListingActivation::Result ListingActivation::activate(ListingFamily family,
                                                      const ListingGridRow& row, int field,
                                                      const QString& host,
                                                      const QString& loginIdentity)
{
    try {
        if (family == ListingFamily::Land)
            return land(row, field, host, loginIdentity);
        return priced(family, row, field, host, loginIdentity);
    } catch (const std::exception& error) {
        // A contact that cannot be decoded opens nothing.
        qCWarning(lcUi) << "listing contact could not be decoded:" << error.what();
        return Result();
    }
}

ListingActivation::Result ListingActivation::conversationWith(Result result)
{
    result.action = result.detail.sender == QLatin1String("-1") ? Action::CustomerService
                                                                : Action::Conversation;
    return result;
}

ListingActivation::Result ListingActivation::land(const ListingGridRow& row, int field,
                                                  const QString& host, const QString& loginIdentity)
{
    const ListingLayout& layout = ListingLayout::of(ListingFamily::Land);
    const QString id = row.field(2).trimmed();
    if (id.isEmpty() || id == QLatin1String("-1"))
        return Result();
    Result result;
    ListingDetailRequest& detail = result.detail;
    detail.family = ListingFamily::Land;
    detail.sender = row.field(layout.senderField);
    detail.senderAddress = addressOf(detail.sender, host);
    if (field == layout.senderIconField)
        return conversationWith(result);
    if (!isDetailField(ListingFamily::Land, field))
        return Result();
    detail.caption = id;
    detail.richText = ListingTableModel::titleMarkup(row.field(1), row.shortTime);
    detail.contact =
        DesDecryptHex(row.field(layout.contactField), QString::fromLatin1(kConfigurationKey))
            .trimmed();
    detail.fields.insert(QStringLiteral("lblPosition"), row.field(6));
    detail.canBefriend = canBefriend(detail.senderAddress, host, loginIdentity);
    result.action = Action::Detail;
    return result;
}

ListingActivation::Result ListingActivation::priced(ListingFamily family, const ListingGridRow& row,
                                                    int field, const QString& host,
                                                    const QString& loginIdentity)
{
    const ListingLayout& layout = ListingLayout::of(family);
    const QString sender = row.field(layout.senderField).trimmed();
    if (sender.isEmpty())
        return Result();
    Result result;
    ListingDetailRequest& detail = result.detail;
    detail.family = family;
    detail.sender = sender;
    detail.senderAddress = addressOf(sender, host);
    if (field == layout.senderIconField)
        return conversationWith(result);
    if (!isDetailField(family, field))
        return Result();
    detail.contact = UnscrambleField(row.field(layout.contactField)).trimmed();
    fillPricedFields(family, row, detail);
    detail.canBefriend = canBefriend(detail.senderAddress, host, loginIdentity);
    result.action = Action::Detail;
    return result;
}

void ListingActivation::fillPricedFields(ListingFamily family, const ListingGridRow& row,
                                         ListingDetailRequest& detail)
{
    QMap<QString, QString>& f = detail.fields;
    auto put = [&](const char* name, int field) {
        f.insert(QLatin1String(name), row.field(field));
    };
    switch (family) {
    case ListingFamily::Air:
        f.insert(QStringLiteral("lblArea"), row.field(0) + QStringLiteral("--") + row.field(1));
        put("lblCompany", 4);
        put("lblCycle", 6);
        put("lblDirect", 7);
        f.insert(QStringLiteral("lblDays"), row.field(8) + QStringLiteral("天"));
        put("lblPrice", 9);
        put("lblMem", 12);
        break;
    case ListingFamily::Sea:
        put("company", 0);
        put("startport", 1);
        put("toport", 2);
        put("passoption", 3);
        put("passport", 4);
        put("duty", 5);
        put("days", 6);
        put("lblseasqu", 7);
        put("line", 8);
        break;
    case ListingFamily::Rail:
        put("triannum", 0);
        put("fromport1", 1);
        put("fromport2", 2);
        put("toport2", 3);
        put("cycle", 4);
        put("starttime", 5);
        put("totime", 6);
        put("startcity", 8);
        put("tocity", 9);
        put("toport1", 10);
        f.insert(QStringLiteral("hours"), row.field(11) + QStringLiteral(" 小时"));
        break;
    case ListingFamily::Land:
        break;
    }
}
