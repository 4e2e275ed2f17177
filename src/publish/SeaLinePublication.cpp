#include "publish/SeaLinePublication.h"

#include "core/FieldScrambler.h"
#include "core/TextTrim.h"
#include "publish/PublishAccount.h"
#include "publish/PublishRequests.h"

namespace {
QString screenedSequence(const QString& sequence)
{
    return TrimLowChars(ScreenInput(sequence));
}
} // namespace

bool SeaLinePublication::addPort(QString& sequence, const QString& entry)
{
    const QString port = TrimLowChars(entry);
    if (port.isEmpty())
        return false;
    if (sequence.isEmpty())
        sequence = port;
    else
        sequence += QLatin1Char('-') + port;
    return true;
}

std::optional<PublishRefusal> SeaLinePublication::check(const Fields& fields)
{
    const QString caption = QStringLiteral("提示信息");
    if (IsBlankText(fields.startport) || IsBlankText(fields.toport))
        return PublishRefusal{caption, QStringLiteral("请填写起始港和目的港! ")};
    for (const QString* value : {&fields.duty, &fields.days, &fields.scomp, &fields.line}) {
        if (IsBlankText(*value))
            return PublishRefusal{caption, QStringLiteral("请填写所有信息,再发布! ")};
    }
    if (screenedSequence(fields.portseq).isEmpty())
        return PublishRefusal{caption, QStringLiteral("请添加海运港序后,再发布! ")};
    return std::nullopt;
}

bool SeaLinePublication::send(IMClient& client, const PublishAccount& account, const Fields& fields)
{
    return PublishSeaLine(
        client, account.host, TrimLowChars(fields.startport), TrimLowChars(fields.toport),
        TrimLowChars(fields.passport), TrimLowChars(fields.duty), TrimLowChars(fields.days),
        TrimLowChars(fields.sdirect), TrimLowChars(fields.scomp), TrimLowChars(fields.line),
        screenedSequence(fields.portseq), account.sender, ContactLine::family(fields.contacts));
}
