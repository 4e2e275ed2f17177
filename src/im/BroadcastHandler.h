#pragma once

#include "im/LaneAlertThrottle.h"
#include "service/ListingRows.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class BroadcastSink;
class ShellState;
class TXMLNode;

// Live listing broadcasts found in the protocol trail: matching per family, parsing with the
// XML reader, filtering by the view on screen (ShellState) and insertion through the sink.
class BroadcastHandler
{
public:
    enum Family
    {
        Land,
        Air,
        Sea,
        Rail
    };

    BroadcastHandler(BroadcastSink* sink, ShellState* shell);

    // Every land listing that arrives live (tag "robot", a title, a type number), whatever
    // page is on screen: departure, destination and title.
    using LandListener = std::function<void(const LaneAlert& listing)>;
    void setLandListener(LandListener listener) { m_landListener = std::move(listener); }

    // host: the configured HostName; loginIdentity: the bare JID the broadcasts go to.
    void setAccount(const QString& host, const QString& loginIdentity);

    // The protocol trail handler: the first matching family (land, air, sea, rail) is
    // handled; a land broadcast always raises the national count. Returns the family
    // handled, if any. Errors drop the one broadcast.
    std::optional<Family> handleTrail(const QString& text);

    // Whether the unit is a broadcast of the family sent to this client. Only the server
    // writes these: the unit's root element is a message whose from is exactly the host (no
    // user part, no resource) and whose to is exactly the login identity + "/haulway", written
    // in single quotes as the server writes them, and the payload element is a direct child of
    // that root. Any user can make the server forward a chat message carrying a payload
    // element or a nested message that looks like the broadcast header; such a unit is not a
    // broadcast.
    bool matches(Family family, const QString& text) const;

    // Filters against the shell's state.
    bool landFitsInfoGrid(const QString& fcity, const QString& tcity) const;
    bool landFitsSearchGrid(const QString& fcity, const QString& tcity) const;
    bool airFits(const QString& line, const QString& aircompany, const QString& startcn) const;

    static QString payloadName(Family family);

private:
    // The parsed unit and its payload element, when the unit is a broadcast to this client.
    struct Accepted
    {
        Family family = Land;
        std::shared_ptr<const TXMLNode> document;
        const TXMLNode* payload = nullptr;
    };
    bool hasHeaderText(const QString& bare, Family family) const;
    std::optional<Accepted> accept(const QString& text, std::optional<Family> only) const;

    void handleLand(const TXMLNode& payload, bool landPageShown);
    void handleAir(const TXMLNode& payload);
    void handleSea(const TXMLNode& payload);
    void handleRail(const TXMLNode& payload);

    BroadcastSink* m_sink;
    ShellState* m_shell;
    QString m_host;
    QString m_loginIdentity;
    LandListener m_landListener;
};
