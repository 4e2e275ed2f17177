#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariantMap>

// A SOAP 1.1 RPC/encoded call written by hand, as a client without a description would
// send it, and the one string it returns.
class SoapCall
{
public:
    using Arguments = QList<QPair<QString, QString>>;
    struct Result
    {
        int status = 0;
        QString value;      // text of the return element
        bool fault = false; // the answer holds a SOAP fault
        QString raw;
    };

    static Result call(const QString& operation, const Arguments& arguments);
    static Result post(const QByteArray& envelope, const QByteArray& soapAction = QByteArray());
    static QByteArray envelope(const QString& operation, const Arguments& arguments);
    // Unscrambles a list result and parses it; an invalid text gives an empty list.
    static QList<QVariantMap> rows(const QString& scrambled, bool* isList = nullptr);
    // Whether the list the operation returns has a row whose `key` holds `value`.
    static bool listHolds(const QString& operation, const Arguments& arguments, const QString& key,
                          const QString& value);
    // The first page of a list as the client asks for it, holding the published listing.
    static bool airPricesHold(const QString& airLine, const QString& price);
    static bool trainsHold(const QString& fromCity, const QString& train);
};
