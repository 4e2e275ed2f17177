#pragma once

#include <QString>
#include <QStringList>

// The signed-in user's profile as the profile route returns it. Texts are cut to the
// byte width the exchange gives them (counted in GBK bytes, never splitting a character).
class UserProfile
{
public:
    int id = 0;
    QString sex;          // 32
    QString qq;           // 32
    QString contact;      // 32
    QString endate;       // 32
    QString mobile;       // 11
    QString email;        // 32
    QString idcardnumber; // 18
    QString company;      // 32
    QString telephone1;   // 32
    QString telephone2;   // 32
    QString address;      // 100
    int userlevel = 0;
    QString userprove;   // 32
    QString usercity;    // 32
    QString usercountry; // 32

    // The 16 JSON keys in table order.
    static QStringList keys();
    static bool isIntegerKey(const QString& key);
    // Byte width of a text field; 0 for the integer fields and unknown keys.
    static int byteWidth(const QString& key);

    // Stores one text field, cut to its byte width. Unknown keys are ignored; returns
    // whether the key was a text field.
    bool setText(const QString& key, const QString& value);
    // Stores `id` or `userlevel`; returns whether the key was an integer field.
    bool setInteger(const QString& key, int value);
    // Reads a field by JSON key (integers as decimal text); empty for unknown keys.
    QString value(const QString& key) const;

private:
    QString* textField(const QString& key);
};
