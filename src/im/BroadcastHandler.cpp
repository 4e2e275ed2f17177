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

// The only element child of the document (the root), or nullptr.
const TXMLNode* rootElementOf(const TXMLNode& document)
{
    const TXMLNode* root = nullptr;
    for (int i = 0; i < document.childCount(); ++i) {
        const TXMLNode* node = document.child(i);
        if (node->kind() != TXMLNode::Element)
            continue;
        if (root)
            return nullptr;
        root = node;
    }
    return root;
}

// The value of the element's one attribute of that name; nothing when it is missing or
// written twice.
std::optional<QString> attributeOf(const TXMLNode& element, const QString& name)
{
    std::optional<QString> value;
    for (int i = 0; i < element.childCount(); ++i) {
        const TXMLNode* node = element.child(i);
        if (node->kind() != TXMLNode::Attribute || node->name() != name)
            continue;
        if (value)
            return std::nullopt;
        value = node->text();
    }
    return value;
}

// The first direct element child of that name, or nullptr.
const TXMLNode* childElement(const TXMLNode& parent, const QString& name)
{
    for (int i = 0; i < parent.childCount(); ++i) {
        const TXMLNode* node = parent.child(i);
        if (node->kind() == TXMLNode::Element && node->name() == name)
            return node;
    }
    return nullptr;
}

// Reads the text of the payload's direct child elements; a missing one reads as empty.
class PayloadReader
{
public:
    explicit PayloadReader(const TXMLNode& payload) : m_payload(payload) {}
    QString operator()(const char* element) const
    {
        const TXMLNode* node = childElement(m_payload, QLatin1String(element));
        return node ? node->text() : QString();
    }

private:
    const TXMLNode& m_payload;
};

constexpr BroadcastHandler::Family kFamilies[] = {BroadcastHandler::Land, BroadcastHandler::Air,
                                                  BroadcastHandler::Sea, BroadcastHandler::Rail};

struct LandBroadcast
{
    QString tag, fcity, tcity;
    QString type; // tpy as sent
    LandRow row;
};

LandBroadcast parseLand(const TXMLNode& payload)
{
    const PayloadReader read(payload);
    LandBroadcast land;
    land.tag = read("tag");
    land.fcity = TrimLowChars(read("fcity"));
    land.tcity = TrimLowChars(read("tcity"));
    land.type = read("tpy");
    land.row = LandRow::build(read("id"), read("title"), land.type, read("isuat"), read("sender"),
                              read("contact"), read("postion"));
    return land;
}

struct AirBroadcast
{
    QString startcn; // the air filter compares it with the selection text
    AirRow row;
};

AirBroadcast parseAir(const TXMLNode& payload)
{
    const PayloadReader read(payload);
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

SeaRow parseSea(const TXMLNode& payload)
{
    const PayloadReader read(payload);
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

RailRow parseRail(const TXMLNode& payload)
{
    const PayloadReader read(payload);
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

bool BroadcastHandler::hasHeaderText(const QString& bare, Family family) const
{
    const QString header = QStringLiteral("<message from=") + m_host + QStringLiteral(" to=") +
                           m_loginIdentity + QStringLiteral("/haulway>");
    const QString payload = payloadName(family);
    return bare.contains(header) && bare.contains(QStringLiteral("</message>")) &&
           bare.contains(QLatin1Char('<') + payload + QLatin1Char('>')) &&
           bare.contains(QStringLiteral("</") + payload + QLatin1Char('>'));
}

std::optional<BroadcastHandler::Accepted> BroadcastHandler::accept(const QString& text,
                                                                   std::optional<Family> only) const
{
    // The cheap test first: most units are no broadcast at all.
    const QString trimmed = TrimLowChars(text);
    const QString bare = ReplaceText(trimmed, QStringLiteral("'"), QString(), true);
    if (bare.isEmpty() || m_host.isEmpty() || m_loginIdentity.isEmpty())
        return std::nullopt;
    bool candidate = false;
    for (Family family : kFamilies)
        candidate = candidate || ((!only || *only == family) && hasHeaderText(bare, family));
    if (!candidate)
        return std::nullopt;

    std::shared_ptr<const TXMLNode> document;
    try {
        document = TXMLStringReader::parseText(trimmed);
    } catch (const std::exception& e) {
        qCWarning(lcIm) << "Ignoring a unit that looks like a broadcast but is no XML:" << e.what();
        return std::nullopt;
    }
    const TXMLNode* root = document ? rootElementOf(*document) : nullptr;
    if (!root || root->name() != QLatin1String("message"))
        return std::nullopt;
    const std::optional<QString> from = attributeOf(*root, QStringLiteral("from"));
    const std::optional<QString> to = attributeOf(*root, QStringLiteral("to"));
    if (!from || *from != m_host || !to || *to != m_loginIdentity + QStringLiteral("/haulway"))
        return std::nullopt;
    for (Family family : kFamilies) {
        if ((only && *only != family) || !hasHeaderText(bare, family))
            continue;
        if (const TXMLNode* payload = childElement(*root, payloadName(family)))
            return Accepted{family, document, payload};
    }
    return std::nullopt;
}

bool BroadcastHandler::matches(Family family, const QString& text) const
{
    return accept(text, family).has_value();
}

std::optional<BroadcastHandler::Family> BroadcastHandler::handleTrail(const QString& text)
{
    const std::optional<Accepted> unit = accept(text, std::nullopt);
    if (!unit)
        return std::nullopt;
    const Family family = unit->family;
    try {
        switch (family) {
        case Land:
            handleLand(*unit->payload, m_sink->isInfoPageShown(ShellPage::InfoLand));
            break;
        case Air:
            if (m_sink->isInfoPageShown(ShellPage::InfoAir))
                handleAir(*unit->payload);
            break;
        case Sea:
            if (m_sink->isInfoPageShown(ShellPage::InfoSea))
                handleSea(*unit->payload);
            break;
        case Rail:
            if (m_sink->isInfoPageShown(ShellPage::InfoRail))
                handleRail(*unit->payload);
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
    // A search with destinations asks for those destinations only; the departure city counts
    // only for a search without any.
    const QStringList& destinations = m_shell->searchToCities;
    if (!destinations.isEmpty())
        return destinations.contains(tcity);
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

void BroadcastHandler::handleLand(const TXMLNode& payload, bool landPageShown)
{
    if (!landPageShown && !m_landListener)
        return;
    const LandBroadcast land = parseLand(payload);
    if (land.tag != QLatin1String("robot") || land.row.title.isEmpty())
        return;
    if (!LandRow::typeNumber(land.type)) {
        qCWarning(lcIm) << "Dropping a live listing whose type is no number:" << land.type.left(40);
        return;
    }
    if (m_landListener)
        m_landListener(LaneAlert{land.fcity, land.tcity, land.row.title});
    if (!landPageShown)
        return;
    if (landFitsInfoGrid(land.fcity, land.tcity))
        m_sink->insertLandRow(ListingGrid::InfoGrd, land.row);
    if (m_sink->isSearchPanelVisible() && landFitsSearchGrid(land.fcity, land.tcity))
        m_sink->insertLandRow(ListingGrid::searchGrd, land.row);
}

void BroadcastHandler::handleAir(const TXMLNode& payload)
{
    const AirBroadcast air = parseAir(payload);
    if (airFits(air.row.route, air.row.airline, air.startcn))
        m_sink->insertAirRow(air.row);
}

void BroadcastHandler::handleSea(const TXMLNode& payload)
{
    m_sink->insertSeaRow(parseSea(payload));
}

void BroadcastHandler::handleRail(const TXMLNode& payload)
{
    m_sink->insertRailRow(parseRail(payload));
}
