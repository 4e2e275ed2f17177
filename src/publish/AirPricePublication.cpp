#include "publish/AirPricePublication.h"

#include "core/FieldScrambler.h"
#include "core/TextTrim.h"
#include "publish/PublishAccount.h"
#include "publish/PublishRequests.h"

std::optional<PublishRefusal> AirPricePublication::check(const Fields& fields)
{
    const QString caption = QStringLiteral("提示信息");
    if (IsBlankText(fields.startcn) || IsBlankText(fields.endcn))
        return PublishRefusal{caption, QStringLiteral("请填写起始港和目的港! ")};
    for (const QString* value :
         {&fields.airline, &fields.cycle, &fields.price, &fields.days, &fields.aircompany}) {
        if (IsBlankText(*value))
            return PublishRefusal{caption, QStringLiteral("请填写所有信息,再发布! ")};
    }
    return std::nullopt;
}

bool AirPricePublication::send(IMClient& client, const PublishAccount& account,
                               const Fields& fields)
{
    return PublishAirPrice(
        client, account.host, TrimLowChars(fields.startcn), TrimLowChars(fields.starten),
        TrimLowChars(fields.endcn), TrimLowChars(fields.enden), TrimLowChars(fields.airline),
        TrimLowChars(fields.cycle), TrimLowChars(fields.price), TrimLowChars(fields.days),
        TrimLowChars(fields.aircompany),
        fields.direct ? QStringLiteral("直达") : QStringLiteral("中转"), account.sender,
        ContactLine::family(fields.contacts), TrimLowChars(ScreenInput(fields.mem)));
}
