#include "app/UserProfile.h"

#include "core/Gbk.h"

namespace {
struct TextWidth
{
    const char* key;
    int bytes;
};

constexpr TextWidth kTextWidths[] = {
    {"sex", 32},        {"qq", 32},          {"contact", 32},      {"endate", 32},
    {"mobile", 11},     {"email", 32},       {"idcardnumber", 18}, {"company", 32},
    {"telephone1", 32}, {"telephone2", 32},  {"address", 100},     {"userprove", 32},
    {"usercity", 32},   {"usercountry", 32},
};
} // namespace

QStringList UserProfile::keys()
{
    return {
        QStringLiteral("id"),         QStringLiteral("sex"),          QStringLiteral("qq"),
        QStringLiteral("contact"),    QStringLiteral("endate"),       QStringLiteral("mobile"),
        QStringLiteral("email"),      QStringLiteral("idcardnumber"), QStringLiteral("company"),
        QStringLiteral("telephone1"), QStringLiteral("telephone2"),   QStringLiteral("address"),
        QStringLiteral("userlevel"),  QStringLiteral("userprove"),    QStringLiteral("usercity"),
        QStringLiteral("usercountry")};
}

bool UserProfile::isIntegerKey(const QString& key)
{
    return key == QLatin1String("id") || key == QLatin1String("userlevel");
}

int UserProfile::byteWidth(const QString& key)
{
    for (const TextWidth& width : kTextWidths) {
        if (key == QLatin1String(width.key))
            return width.bytes;
    }
    return 0;
}

bool UserProfile::setText(const QString& key, const QString& value)
{
    QString* field = textField(key);
    if (!field)
        return false;
    *field = Gbk::truncateToBytes(value, byteWidth(key));
    return true;
}

bool UserProfile::setInteger(const QString& key, int value)
{
    if (key == QLatin1String("id"))
        id = value;
    else if (key == QLatin1String("userlevel"))
        userlevel = value;
    else
        return false;
    return true;
}

QString UserProfile::value(const QString& key) const
{
    if (key == QLatin1String("id"))
        return QString::number(id);
    if (key == QLatin1String("userlevel"))
        return QString::number(userlevel);
    QString* field = const_cast<UserProfile*>(this)->textField(key);
    return field ? *field : QString();
}

QString* UserProfile::textField(const QString& key)
{
    QString* const fields[] = {&sex,     &qq,           &contact,  &endate,     &mobile,
                               &email,   &idcardnumber, &company,  &telephone1, &telephone2,
                               &address, &userprove,    &usercity, &usercountry};
    for (size_t i = 0; i < sizeof(kTextWidths) / sizeof(kTextWidths[0]); ++i) {
        if (key == QLatin1String(kTextWidths[i].key))
            return fields[i];
    }
    return nullptr;
}
