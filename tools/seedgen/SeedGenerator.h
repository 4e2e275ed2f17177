#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QVector>

// Builds the sandbox exchange's seed data: accounts with full profiles, land listings
// (contacts DES-enciphered in hex form under the configuration key), air prices, sea
// lines and rail trains (contacts scrambled), and the contact pools of the live
// publisher. The same input always gives the same output.
class SeedGenerator
{
public:
    struct User
    {
        QString login;
        QString password;
        QString contact;
        QString sex;
        QString province;
        QString city;
        QString district;
        QString company;
        QString mobile;
        QString telephone;
        QString address;
        bool demo;
    };

    SeedGenerator();

    QJsonObject seed() const;
    // "user password city" lines for the demo script.
    QString accountsText() const;
    const QVector<User>& users() const { return m_users; }

    // The city a user lives in as listings name it: the province for the four
    // municipalities, else the city.
    static QString placeOf(const User& user);
    static QString landContact(const QString& plain);
    static QString scrambledContact(const QString& plain);

private:
    QJsonArray userArray() const;
    QJsonArray landListings() const;
    QJsonArray airPrices() const;
    QJsonArray seaLines() const;
    QJsonArray railTrains() const;
    QJsonObject contactPools() const;
    QString contactLine(const User& user) const;

    QVector<User> m_users;
};
