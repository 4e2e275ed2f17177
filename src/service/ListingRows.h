#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

class JsonNode;

// Images of the listing image list shared by the five grids.
enum ListingImage
{
    NoListingImage = -1,
    CargoImage = 0,
    TruckImage = 1,
    ChatImage = 2,
    AgentImage = 3
};

// How much of `issueat` the title cell shows: 11 characters from the 6th (month-day
// hour:minute) for land loads and live rows, or from the 6th to the end for searches.
enum class ShortTimeRule
{
    MonthDayMinute,
    ToEnd
};

// The sender icon of every row kind: the agent seat publishes as "-1".
ListingImage senderIconFor(const QString& sender);
QString shortTimeOf(const QString& issueAt, ShortTimeRule rule);

// A row of InfoGrd and searchGrd (7 fields, no header row).
struct LandRow
{
    ListingImage typeIcon = NoListingImage; // field 0: image itype - 1 (0 to 3), else none
    QString title;                          // field 1, first part: the trimmed title
    QString shortTime;                      // field 1, second part, in grey
    QString id;                             // field 2 (hidden)
    QString contact;                        // field 3 (hidden), DES hex form
    ListingImage senderIcon = ChatImage;    // field 4, on white
    QString senderId;                       // field 5 (hidden), "-1" for the agent seat
    QString position;                       // field 6 (hidden)
    QDateTime issuedAt; // the issue time read from issueat, for the age beside the short time

    // The title cell's plain text: title, one space, short time.
    QString titleCellText() const;

    // The listing type read as an integer; nothing when it is no number.
    static std::optional<int> typeNumber(const QString& itype);

    // The row that a land listing gives. The title is trimmed; callers that skip listings
    // without a title test `title.isEmpty()` on the result. A type that is no number gives a
    // row without a picture (a loaded row is kept); the live insertion drops such a listing.
    static LandRow build(const QString& id, const QString& title, const QString& itype,
                         const QString& issueAt, const QString& senderId, const QString& contact,
                         const QString& position,
                         ShortTimeRule rule = ShortTimeRule::MonthDayMinute);
    // The same from one element of a listing result; missing fields read as empty.
    static LandRow fromJson(const JsonNode& element,
                            ShortTimeRule rule = ShortTimeRule::MonthDayMinute);

    bool operator==(const LandRow& other) const;
    bool operator!=(const LandRow& other) const { return !(*this == other); }
};

// A row of airInfoGrd (13 fields, header row 0).
struct AirRow
{
    QString departure;                   // 0: startcn "(" starten ")"
    QString destination;                 // 1: endcn "(" enden ")"
    QString info;                        // 2: information text
    ListingImage senderIcon = ChatImage; // 3
    QString airline;                     // 4 aircompany (hidden from here on)
    QString route;                       // 5 line
    QString cycle;                       // 6 aircyle
    QString direct;                      // 7 isdirect
    QString days;                        // 8
    QString price;                       // 9
    QString sender;                      // 10
    QString contact;                     // 11 scrambled
    QString remark;                      // 12 mem

    static AirRow fromJson(const JsonNode& element);
    static QStringList headers(); // captions of the shown columns
    bool operator==(const AirRow& other) const;
};

// A row of seaInfoGrd (12 fields, header row 0).
struct SeaRow
{
    QString carrier;                     // 0 company
    QString departurePort;               // 1 startport
    QString destinationPort;             // 2 toport
    QString transshipmentOption;         // 3 passoption
    QString transshipmentPort;           // 4 passport
    QString schedule;                    // 5 duty
    QString voyageDays;                  // 6 days
    QString portSequence;                // 7 passseq
    QString routeName;                   // 8 line
    ListingImage senderIcon = ChatImage; // 9
    QString sender;                      // 10 (hidden)
    QString contact;                     // 11 scrambled (hidden)

    static SeaRow fromJson(const JsonNode& element);
    static QStringList headers(); // captions of the shown columns
    bool operator==(const SeaRow& other) const;
};

// A row of TrianInfoGrd (14 fields, header row 0).
struct RailRow
{
    QString trainNumber;                 // 0 triannum
    QString loadingStation;              // 1 startport1
    QString departureStation;            // 2 startport2
    QString arrivalStation2;             // 3 toport2
    QString cycle;                       // 4
    QString departureTime;               // 5 starttime
    QString arrivalTime;                 // 6 totime
    ListingImage senderIcon = ChatImage; // 7
    QString departureCity;               // 8 startcity (hidden from here on)
    QString arrivalCity;                 // 9 tocity
    QString arrivalStation;              // 10 toport1
    QString hours;                       // 11
    QString sender;                      // 12
    QString contact;                     // 13 scrambled

    static RailRow fromJson(const JsonNode& element);
    static QStringList headers(); // captions of the shown columns
    bool operator==(const RailRow& other) const;
};
