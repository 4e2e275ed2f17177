#include "publish/LandPublication.h"

#include "core/FieldScrambler.h"
#include "core/TextTrim.h"
#include "publish/LandListingComposer.h"
#include "publish/PublishAccount.h"
#include "publish/PublishRequests.h"
#include "refdata/RegionComboRules.h"

std::optional<PublishRefusal> LandPublication::prepare(Form form, const Fields& fields,
                                                       const LandListingComposer& composer,
                                                       Request& request)
{
    request.fromcity = RegionComboRules::placeValue(fields.province, fields.city);
    request.tocity = RegionComboRules::placeValue(fields.toProvince, fields.toCity);
    if (form == Form::Pick) {
        request.title = ScreenInput(fields.text);
    } else {
        request.title = ScreenInput(composer.placedTitle(
            request.fromcity, fields.county, request.tocity, fields.toCounty, fields.text));
    }
    request.category = QString::number(fields.category);
    request.contact = ContactLine::land(fields.contacts);

    const QString info = QStringLiteral("信息");
    if (IsBlankText(request.title))
        return PublishRefusal{info, QStringLiteral("信息内容不能为空! ")};
    if (request.fromcity.isEmpty() || request.tocity.isEmpty()) {
        if (form == Form::Pick)
            return PublishRefusal{info, QStringLiteral("请选择出发地和目的地! ")};
        return PublishRefusal{QStringLiteral("提示信息"),
                              QStringLiteral("请选择出发地和目的地,再发布! ")};
    }
    return std::nullopt;
}

bool LandPublication::send(IMClient& client, const PublishAccount& account, const Request& request)
{
    return PublishCargo(client, account.host, request.title, request.fromcity, request.tocity,
                        account.position, account.sender, request.category, QStringLiteral("1"),
                        request.contact);
}
