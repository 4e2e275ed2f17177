#include "im/BroadcastHandler.h"

#include "core/FieldScrambler.h"
#include "core/TXMLNode.h"
#include "core/TXMLStringReader.h"
#include "core/TextTrim.h"
#include "im/BroadcastSink.h"
#include "im/ImLog.h"
#include "service/ShellState.h"

#include <exception>
#include <memory>

namespace {

// The parsed broadcast, or nullptr when the text has no root element.
std::unique_ptr<TXMLNode> parsed(const QString& text)
{
    auto document = TXMLStringReader::parseText(TrimLowChars(text));
    if (!document || !document->findChild(QStringLiteral("message")))
        return nullptr;
    return document;
}

// Reads \message\<payload>\<element>.
class PayloadReader
{
public:
    PayloadReader(const TXMLNode& document, const QString& payload)
        : m_document(document),
          m_prefix(QStringLiteral("\\message\\") + payload + QLatin1Char('\\'))
    {}
    QString operator()(const char* element) const
    {
        return m_document.pathText(m_prefix + QLatin1String(element));
    }

private:
    const TXMLNode& m_document;
    QString m_prefix;
};

} // namespace

BroadcastHandler::BroadcastHandler(BroadcastSink* sink, ShellState* shell)
    : m_sink(sink), m_shell(shell)
{}

void BroadcastHandler::setAccount(const QString& host, const QString& loginIdentity)
{
    m_host = host;
    m_loginIdentity = loginIdentity;
}

QString BroadcastHandler::payloadName(Family family)
{
    switch (family) {
    case Land:
        return QStringLiteral("broadcastcargo");
    case Air:
        return QStringLiteral("broadcastairprice");
    case Sea:
        return QStringLiteral("broadcastsealine");
    case Rail:
        return QStringLiteral("broadcasttrianinfo");
    }
    return QString();
}

bool BroadcastHandler::matches(Family family, const QString& text) const
{
    const QString bare = ReplaceText(TrimLowChars(text), QStringLiteral("'"), QString(), true);
    if (bare.isEmpty())
        return false;
    const QString header = QStringLiteral("<message from=") + m_host + QStringLiteral(" to=") +
                           m_loginIdentity + QStringLiteral("/haulway>");
    const QString payload = payloadName(family);
    return bare.contains(header) && bare.contains(QStringLiteral("</message>")) &&
           bare.contains(QLatin1Char('<') + payload + QLatin1Char('>')) &&
           bare.contains(QStringLiteral("</") + payload + QLatin1Char('>'));
}

std::optional<BroadcastHandler::Family> BroadcastHandler::handleTrail(const QString& text)
{
    for (Family family : {Land, Air, Sea, Rail}) {
        if (!matches(family, text))
            continue;
        try {
            switch (family) {
            case Land:
                if (m_sink->isInfoPageShown(ShellPage::InfoLand))
                    handleLand(text);
                break;
            case Air:
                if (m_sink->isInfoPageShown(ShellPage::InfoAir))
                    handleAir(text);
                break;
            case Sea:
                if (m_sink->isInfoPageShown(ShellPage::InfoSea))
                    handleSea(text);
                break;
            case Rail:
                if (m_sink->isInfoPageShown(ShellPage::InfoRail))
                    handleRail(text);
                break;
            }
        } catch (const std::exception& e) {
            // A broadcast that cannot be read or inserted is dropped; the next one is handled.
            qCWarning(lcIm) << "Dropping a broadcast that could not be shown:" << e.what();
        }
        if (family == Land) {
            ++m_shell->nationalCount;
            m_sink->setNationalCountText(QStringLiteral("全国:") +
                                         QString::number(m_shell->nationalCount));
        }
        return family;
    }
    return std::nullopt;
}

std::optional<BroadcastHandler::LandBroadcast> BroadcastHandler::parseLand(const QString& text)
{
    const auto document = parsed(text);
    if (!document)
        return std::nullopt;
    const PayloadReader read(*document, payloadName(Land));
    LandBroadcast land;
    land.tag = read("tag");
    land.fcity = TrimLowChars(read("fcity"));
    land.tcity = TrimLowChars(read("tcity"));
    land.row = LandRow::build(read("id"), read("title"), read("tpy"), read("isuat"), read("sender"),
                              read("contact"), read("postion"));
    return land;
}

std::optional<BroadcastHandler::AirBroadcast> BroadcastHandler::parseAir(const QString& text)
{
    const auto document = parsed(text);
    if (!document)
        return std::nullopt;
    const PayloadReader read(*document, payloadName(Air));
    AirBroadcast air;
    air.startcn = read("startcn");
    AirRow& row = air.row;
    row.departure = air.startcn + QLatin1Char('(') + read("starten") + QLatin1Char(')');
    row.destination = read("endcn") + QLatin1Char('(') + read("enden") + QLatin1Char(')');
    row.airline = read("aircompany");
    row.route = read("line");
    row.cycle = read("cycle");
    row.direct = read("direct");
    row.days = read("days");
    row.price = read("price");
    row.sender = read("sender");
    row.contact = read("contact");
    row.remark = read("mem");
    row.info = QStringLiteral("运价:") + row.price + QStringLiteral(",航空公司:") + row.airline +
               QStringLiteral(",航运周期:") + row.cycle + QStringLiteral(",航运时间:") + row.days +
               QLatin1Char(',') + row.direct;
    row.senderIcon = senderIconFor(row.sender);
    return air;
}

std::optional<SeaRow> BroadcastHandler::parseSea(const QString& text)
{
    const auto document = parsed(text);
    if (!document)
        return std::nullopt;
    const PayloadReader read(*document, payloadName(Sea));
    SeaRow row;
    row.carrier = read("company");
    row.departurePort = read("startport");
    row.destinationPort = read("toport");
    row.transshipmentOption = read("direct");
    row.transshipmentPort = read("pasport");
    row.schedule = read("duty");
    row.voyageDays = read("days");
    row.portSequence = read("porseq");
    row.routeName = read("line");
    row.sender = read("sender");
    row.contact = read("contact");
    row.senderIcon = senderIconFor(row.sender);
    return row;
}

std::optional<RailRow> BroadcastHandler::parseRail(const QString& text)
{
    const auto document = parsed(text);
    if (!document)
        return std::nullopt;
    const PayloadReader read(*document, payloadName(Rail));
    RailRow row;
    row.trainNumber = read("triannum");
    row.loadingStation = read("startport1");
    row.departureStation = read("startport2");
    row.arrivalStation2 = read("toport2");
    row.cycle = read("cycle");
    row.departureTime = read("starttime");
    row.arrivalTime = read("totime");
    row.departureCity = read("startcity");
    row.arrivalCity = read("tocity");
    row.arrivalStation = read("toport1");
    row.hours = read("hours");
    row.sender = read("sender");
    row.contact = read("contact");
    row.senderIcon = senderIconFor(row.sender);
    return row;
}

bool BroadcastHandler::landFitsInfoGrid(const QString& fcity, const QString& tcity) const
{
    const QString& city = m_shell->currentCity;
    const int kind = m_shell->landViewKind;
    if (kind >= 1 && kind <= 3)
        return city == fcity || city == tcity;
    if (kind >= 4 && kind <= 6)
        return city == fcity;
    if (kind >= 7 && kind <= 9)
        return city == tcity;
    return true;
}

bool BroadcastHandler::landFitsSearchGrid(const QString& fcity, const QString& tcity) const
{
    const QStringList& destinations = m_shell->searchToCities;
    if (!destinations.isEmpty() && destinations.contains(tcity))
        return true;
    return m_shell->searchFromCity == fcity;
}

bool BroadcastHandler::airFits(const QString& line, const QString& aircompany,
                               const QString& startcn) const
{
    const QString& selection = m_shell->airSelectionText;
    switch (m_shell->airSelectionKind) {
    case 1:
        return line == selection;
    case 3:
        return aircompany == selection;
    case 4:
        return startcn == selection;
    default:
        return true;
    }
}

void BroadcastHandler::handleLand(const QString& text)
{
    const auto land = parseLand(text);
    if (!land || land->tag != QLatin1String("robot") || land->row.title.isEmpty())
        return;
    if (landFitsInfoGrid(land->fcity, land->tcity))
        m_sink->insertLandRow(ListingGrid::InfoGrd, land->row);
    if (m_sink->isSearchPanelVisible() && landFitsSearchGrid(land->fcity, land->tcity))
        m_sink->insertLandRow(ListingGrid::searchGrd, land->row);
}

void BroadcastHandler::handleAir(const QString& text)
{
    const auto air = parseAir(text);
    if (air && airFits(air->row.route, air->row.airline, air->startcn))
        m_sink->insertAirRow(air->row);
}

void BroadcastHandler::handleSea(const QString& text)
{
    if (const auto row = parseSea(text))
        m_sink->insertSeaRow(*row);
}

void BroadcastHandler::handleRail(const QString& text)
{
    if (const auto row = parseRail(text))
        m_sink->insertRailRow(*row);
}
