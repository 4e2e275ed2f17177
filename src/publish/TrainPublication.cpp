#include "publish/TrainPublication.h"

#include "core/TextTrim.h"
#include "publish/PublishAccount.h"
#include "publish/PublishRequests.h"

std::optional<PublishRefusal> TrainPublication::check(const Fields& fields)
{
    for (const QString* value :
         {&fields.triannum, &fields.startport1, &fields.startport2, &fields.toport1,
          &fields.toport2, &fields.cycle, &fields.starttime, &fields.totime, &fields.hours}) {
        if (value->isEmpty())
            return PublishRefusal{QStringLiteral("提示信息"),
                                  QStringLiteral("请填写所有信息后,再发布! ")};
    }
    return std::nullopt;
}

bool TrainPublication::send(IMClient& client, const PublishAccount& account, const Fields& fields)
{
    return PublishTrianInfo(client, account.host, TrimLowChars(fields.triannum),
                            TrimLowChars(fields.startcity), TrimLowChars(fields.startport1),
                            TrimLowChars(fields.startport2), TrimLowChars(fields.toport1),
                            TrimLowChars(fields.toport2), TrimLowChars(fields.tocity),
                            TrimLowChars(fields.cycle), TrimLowChars(fields.starttime),
                            TrimLowChars(fields.totime), TrimLowChars(fields.hours), account.sender,
                            TrimLowChars(ContactLine::family(fields.contacts)));
}
