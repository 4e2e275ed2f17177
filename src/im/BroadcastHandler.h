#pragma once

#include "service/ListingRows.h"

#include <QString>
#include <optional>

class BroadcastSink;
class ShellState;

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

    // host: the configured HostName; loginIdentity: the bare JID the broadcasts go to.
    void setAccount(const QString& host, const QString& loginIdentity);

    // The protocol trail handler: the first matching family (land, air, sea, rail) is
    // handled; a land broadcast always raises the national count. Returns the family
    // handled, if any. Errors drop the one broadcast.
    std::optional<Family> handleTrail(const QString& text);

    bool matches(Family family, const QString& text) const;
    void handleLand(const QString& text);
    void handleAir(const QString& text);
    void handleSea(const QString& text);
    void handleRail(const QString& text);

    // Parsers (empty result: no root element, or a land broadcast not tagged "robot").
    struct LandBroadcast
    {
        QString tag, fcity, tcity;
        LandRow row;
    };
    static std::optional<LandBroadcast> parseLand(const QString& text);
    struct AirBroadcast
    {
        QString startcn; // the air filter compares it with the selection text
        AirRow row;
    };
    static std::optional<AirBroadcast> parseAir(const QString& text);
    static std::optional<SeaRow> parseSea(const QString& text);
    static std::optional<RailRow> parseRail(const QString& text);

    // Filters against the shell's state.
    bool landFitsInfoGrid(const QString& fcity, const QString& tcity) const;
    bool landFitsSearchGrid(const QString& fcity, const QString& tcity) const;
    bool airFits(const QString& line, const QString& aircompany, const QString& startcn) const;

    static QString payloadName(Family family);

private:
    BroadcastSink* m_sink;
    ShellState* m_shell;
    QString m_host;
    QString m_loginIdentity;
};
