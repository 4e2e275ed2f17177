#include "service/ListingRows.h"

#include "core/JsonNode.h"
#include "core/TextTrim.h"
#include "service/ListingAge.h"

#include <tuple>

namespace {

// A field of a listing element as text; a missing field reads as empty.
QString text(const JsonNode& element, const char* name)
{
    const JsonNode* node = element.field(QLatin1String(name));
    return node ? node->toText() : QString();
}

// Image itype - 1 of the listing image list; no picture for a type that is no number or
// names no image.
ListingImage typeIconFor(const QString& itype)
{
    const std::optional<int> kind = LandRow::typeNumber(itype);
    if (!kind || *kind - 1 < CargoImage || *kind - 1 > AgentImage) {
        return NoListingImage;
    }
    return ListingImage(*kind - 1);
}

} // namespace

ListingImage senderIconFor(const QString& sender)
{
    return sender == QLatin1String("-1") ? AgentImage : ChatImage;
}

QString shortTimeOf(const QString& issueAt, ShortTimeRule rule)
{
    if (rule == ShortTimeRule::ToEnd) {
        return issueAt.mid(5);
    }
    return issueAt.mid(5, 11);
}

QString LandRow::titleCellText() const
{
    return title + QLatin1Char(' ') + shortTime;
}

std::optional<int> LandRow::typeNumber(const QString& itype)
{
    bool ok = false;
    const int kind = itype.trimmed().toInt(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return kind;
}

LandRow LandRow::build(const QString& id, const QString& title, const QString& itype,
                       const QString& issueAt, const QString& senderId, const QString& contact,
                       const QString& position, ShortTimeRule rule)
{
    LandRow row;
    row.typeIcon = typeIconFor(itype);
    row.title = TrimLowChars(title);
    row.shortTime = shortTimeOf(issueAt, rule);
    row.issuedAt = ListingAge::parseIssueTime(issueAt);
    row.id = id;
    row.contact = contact;
    row.senderIcon = senderIconFor(senderId);
    row.senderId = senderId;
    row.position = position;
    return row;
}

LandRow LandRow::fromJson(const JsonNode& element, ShortTimeRule rule)
{
    return build(text(element, "id"), text(element, "title"), text(element, "itype"),
                 text(element, "issueat"), text(element, "senderid"), text(element, "contact"),
                 text(element, "position"), rule);
}

bool LandRow::operator==(const LandRow& o) const
{
    return std::tie(typeIcon, title, shortTime, id, contact, senderIcon, senderId, position,
                    issuedAt) == std::tie(o.typeIcon, o.title, o.shortTime, o.id, o.contact,
                                          o.senderIcon, o.senderId, o.position, o.issuedAt);
}

AirRow AirRow::fromJson(const JsonNode& element)
{
    AirRow row;
    row.departure =
        text(element, "startcn") + QLatin1Char('(') + text(element, "starten") + QLatin1Char(')');
    row.destination =
        text(element, "endcn") + QLatin1Char('(') + text(element, "enden") + QLatin1Char(')');
    row.airline = text(element, "aircompany");
    row.route = text(element, "line");
    row.cycle = text(element, "aircyle");
    row.direct = text(element, "isdirect");
    row.days = text(element, "days");
    row.price = text(element, "price");
    row.sender = text(element, "sender");
    row.contact = text(element, "contact");
    row.remark = text(element, "mem");
    row.senderIcon = senderIconFor(row.sender);
    row.info = QStringLiteral("运价:") + row.price + QLatin1Char(',') + row.airline +
               QStringLiteral(",航运周期:") + row.cycle + QStringLiteral(",航运时间:") + row.days +
               QStringLiteral("天,") + row.direct;
    return row;
}

bool AirRow::operator==(const AirRow& o) const
{
    return std::tie(departure, destination, info, senderIcon, airline, route, cycle, direct, days,
                    price, sender, contact, remark) ==
           std::tie(o.departure, o.destination, o.info, o.senderIcon, o.airline, o.route, o.cycle,
                    o.direct, o.days, o.price, o.sender, o.contact, o.remark);
}

SeaRow SeaRow::fromJson(const JsonNode& element)
{
    SeaRow row;
    row.carrier = text(element, "company");
    row.departurePort = text(element, "startport");
    row.destinationPort = text(element, "toport");
    row.transshipmentOption = text(element, "passoption");
    row.transshipmentPort = text(element, "passport");
    row.schedule = text(element, "duty");
    row.voyageDays = text(element, "days");
    row.portSequence = text(element, "passseq");
    row.routeName = text(element, "line");
    row.sender = text(element, "sender");
    row.contact = text(element, "contact");
    row.senderIcon = senderIconFor(row.sender);
    return row;
}

bool SeaRow::operator==(const SeaRow& o) const
{
    return std::tie(carrier, departurePort, destinationPort, transshipmentOption, transshipmentPort,
                    schedule, voyageDays, portSequence, routeName, senderIcon, sender, contact) ==
           std::tie(o.carrier, o.departurePort, o.destinationPort, o.transshipmentOption,
                    o.transshipmentPort, o.schedule, o.voyageDays, o.portSequence, o.routeName,
                    o.senderIcon, o.sender, o.contact);
}

RailRow RailRow::fromJson(const JsonNode& element)
{
    RailRow row;
    row.trainNumber = text(element, "triannum");
    row.loadingStation = text(element, "startport1");
    row.departureStation = text(element, "startport2");
    row.arrivalStation2 = text(element, "toport2");
    row.cycle = text(element, "cycle");
    row.departureTime = text(element, "starttime");
    row.arrivalTime = text(element, "totime");
    row.departureCity = text(element, "startcity");
    row.arrivalCity = text(element, "tocity");
    row.arrivalStation = text(element, "toport1");
    row.hours = text(element, "hours");
    row.sender = text(element, "sender");
    row.contact = text(element, "contact");
    row.senderIcon = senderIconFor(row.sender);
    return row;
}

bool RailRow::operator==(const RailRow& o) const
{
    return std::tie(trainNumber, loadingStation, departureStation, arrivalStation2, cycle,
                    departureTime, arrivalTime, senderIcon, departureCity, arrivalCity,
                    arrivalStation, hours, sender, contact) ==
           std::tie(o.trainNumber, o.loadingStation, o.departureStation, o.arrivalStation2, o.cycle,
                    o.departureTime, o.arrivalTime, o.senderIcon, o.departureCity, o.arrivalCity,
                    o.arrivalStation, o.hours, o.sender, o.contact);
}

QStringList AirRow::headers()
{
    return {QStringLiteral("起始港"), QStringLiteral("目的港"), QStringLiteral("信息内容"),
            QStringLiteral("询价")};
}

QStringList SeaRow::headers()
{
    return {QStringLiteral("承运人"),   QStringLiteral("起始港"),   QStringLiteral("目的港"),
            QStringLiteral("转运属性"), QStringLiteral("转运港"),   QStringLiteral("班期"),
            QStringLiteral("总航程"),   QStringLiteral("海运港序"), QStringLiteral("航线名称"),
            QStringLiteral("咨询")};
}

QStringList RailRow::headers()
{
    return {QStringLiteral("车次"),
            QStringLiteral("装车组织站"),
            QStringLiteral("始发(技术站)"),
            QStringLiteral("到达(技术站)"),
            QStringLiteral("开行周期(列/周)"),
            QStringLiteral("发车时间"),
            QStringLiteral("到达时间"),
            QStringLiteral("咨询")};
}
